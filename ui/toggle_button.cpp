#include "ui/toggle_button.h"

#include "ui/backend.h"
#include "ui/dispatch.h"

namespace qxqy {

ToggleButton::ToggleButton(Component* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent) {}

void ToggleButton::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Notify(Change::kCaption);
}

void ToggleButton::SetGroupIndex(int group_index) {
  group_index_ = group_index;
  if (down_) ReleaseGroup();
}

void ToggleButton::SetDown(bool down) {
  if (down == down_) return;
  if (!down && group_index_ != 0) return;  // a grouped button is raised only by another
  down_ = down;
  Notify(Change::kState);
  if (down_) ReleaseGroup();
}

void ToggleButton::ReleaseGroup() {
  if (group_index_ == 0 || Parent() == nullptr) return;
  for (Control* sibling : Parent()->Children()) {
    auto* other = dynamic_cast<ToggleButton*>(sibling);
    if (other == nullptr || other == this || other->group_index_ != group_index_) continue;
    if (other->down_) {
      other->down_ = false;
      other->Notify(Change::kState);
    }
  }
}

void ToggleButton::Click() {
  if (!Enabled()) return;
  if (group_index_ != 0) {
    SetDown(true);
  } else {
    down_ = !down_;
    Notify(Change::kState);
  }
  if (OnClick) DispatchEvent(*this, [this] { OnClick(*this); });
}

std::unique_ptr<ControlPeer> ToggleButton::CreatePeer() {
  return backend::CreateToggleButtonPeer(*this);
}

}  // namespace qxqy
