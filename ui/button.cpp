#include "ui/button.h"

#include "ui/backend.h"
#include "ui/dispatch.h"

namespace qxqy {

Button::Button(Component* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent) {
  SetTabStop(true);
}

Button::~Button() { SetAction(nullptr); }

void Button::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Notify(Change::kCaption);
}

void Button::SetGlyph(Glyph glyph) {
  glyph_ = std::move(glyph);
  Notify(Change::kContent);
}

void Button::SetAction(Action* action) {
  if (action == action_) return;
  // The new action learns of the button before the button points at it, so
  // a failure there (no memory) leaves the button as it was. The other way
  // round the button would point at an action that does not know it, and
  // that would not tell the button when it goes.
  if (action != nullptr) action->AddClient(this);
  if (action_ != nullptr) action_->RemoveClient(this);
  action_ = action;
  if (action_ != nullptr) ActionChanged();
}

void Button::ActionChanged() {
  if (action_ != nullptr) SetEnabled(action_->Enabled());
}

void Button::ActionGone() { action_ = nullptr; }

void Button::Click() {
  if (!Enabled()) return;
  DispatchEvent(*this, [this] {
    if (action_ != nullptr) {
      action_->Execute();
    } else if (OnClick) {
      OnClick(*this);
    }
  });
}

std::unique_ptr<ControlPeer> Button::CreatePeer() { return backend::CreateButtonPeer(*this); }

}  // namespace qxqy
