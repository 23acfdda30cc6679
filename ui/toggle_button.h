// A push-like button with a down state. Buttons with the same non-zero
// group index under the same parent form a group: pushing one down releases
// the one that was down, and a button that is down stays down when clicked
// again (there is no "all up" by clicking).
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

  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int group_index);

  bool Down() const { return down_; }
  // Setting a grouped button down releases the other buttons of its group.
  // A grouped button cannot be set up directly while it is down (as a click
  // cannot raise it); an ungrouped button toggles freely.
  void SetDown(bool down);

  std::function<void(ToggleButton& sender)> OnClick;

  // Performs a press: a grouped button goes down (releasing the group), an
  // ungrouped one toggles; then OnClick runs behind the error barrier. Does
  // nothing while the button is disabled.
  void Click();

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override;

 private:
  void ReleaseGroup();

  std::string caption_;
  int group_index_ = 0;
  bool down_ = false;
};

}  // namespace qxqy
