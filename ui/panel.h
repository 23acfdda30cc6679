// Plain container widgets: a panel (a flat area that holds other widgets)
// and a splitter bar (a thin bar between aligned widgets; it only takes space).
#pragma once

#include <memory>
#include <string>

#include "ui/control.h"

namespace qxqy {

class Panel : public Control {
 public:
  Panel(Component* owner, std::string name, Control* parent);

  // Whether the panel draws a raised bevel; the windows here use none.
  bool Bevel() const { return bevel_; }
  void SetBevel(bool bevel);

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override;

 private:
  bool bevel_ = true;
};

class Splitter : public Control {
 public:
  Splitter(Component* owner, std::string name, Control* parent);

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override;
};

}  // namespace qxqy
