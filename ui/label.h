// A static text. With auto size on (the default) its width and height
// follow the caption, measured in the label's font by the backend.
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
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override;

 private:
  void FitToCaption();

  std::string caption_;
  bool auto_size_ = true;
};

}  // namespace qxqy
