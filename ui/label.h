// A static text whose width and height follow the caption, measured in the
// label's font by the backend.
#pragma once

#include <memory>
#include <string>

#include "ui/control.h"

namespace qxqy {

class Label : public Control {
 public:
  Label(Component* owner, std::string name, Control* parent);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override;

 private:
  void FitToCaption();

  std::string caption_;
};

}  // namespace qxqy
