// A panel: a flat area in the window's colour that holds other widgets, or
// only takes room.
#pragma once

#include <memory>
#include <string>

#include "ui/control.h"

namespace qxqy {

class Panel : public Control {
 public:
  Panel(Component* owner, std::string name, Control* parent);

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override;
};

}  // namespace qxqy
