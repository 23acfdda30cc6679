// A push-like button of a group: the toggle buttons under one parent form
// the group, in which the button pushed down last is down (none until one
// is). A button that is down stays down when clicked again; only pushing
// another one raises it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/control.h"

namespace qxqy {

class ToggleButton : public Control {
 public:
  ToggleButton(Component* owner, std::string name, Control* parent);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  bool Down() const { return down_; }
  // Puts this button down and raises the other buttons of its group; runs
  // no handler.
  void PushDown();

  std::function<void(ToggleButton& sender)> OnClick;

  // Performs a press: pushes the button down, then runs OnClick behind the
  // error barrier. Does nothing while the button is disabled.
  void Click();

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override;

 private:
  std::string caption_;
  bool down_ = false;
};

}  // namespace qxqy
