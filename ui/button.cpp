#include "ui/button.h"

#include "ui/backend.h"
#include "ui/dispatch.h"

namespace qxqy {

Button::Button(Component* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent) {
  SetTabStop(true);
}

void Button::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Notify(Change::kCaption);
}

void Button::SetGlyph(Glyph glyph) {
  glyph_ = std::move(glyph);
  Notify(Change::kContent);
}

void Button::Click() {
  if (!Enabled() || !OnClick) return;
  DispatchEvent(*this, [this] { OnClick(*this); });
}

std::unique_ptr<ControlPeer> Button::CreatePeer() { return backend::CreateButtonPeer(*this); }

}  // namespace qxqy
