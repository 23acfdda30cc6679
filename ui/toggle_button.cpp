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

void ToggleButton::PushDown() {
  if (down_) return;
  down_ = true;
  Notify(Change::kState);
  if (Parent() == nullptr) return;
  for (Control* sibling : Parent()->Children()) {
    auto* other = dynamic_cast<ToggleButton*>(sibling);
    if (other == nullptr || other == this || !other->down_) continue;
    other->down_ = false;
    other->Notify(Change::kState);
  }
}

void ToggleButton::Click() {
  if (!Enabled()) return;
  PushDown();
  if (OnClick) DispatchEvent(*this, [this] { OnClick(*this); });
}

std::unique_ptr<ControlPeer> ToggleButton::CreatePeer() {
  return backend::CreateToggleButtonPeer(*this);
}

}  // namespace qxqy
