#include "ui/label.h"

#include "ui/backend.h"
#include "ui/screen.h"

namespace qxqy {

Label::Label(Component* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent) {}

void Label::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Notify(Change::kCaption);
  FitToCaption();
}

void Label::FitToCaption() {
  const TextSize size = MeasureText(GetFont(), caption_);
  SetBounds(Left(), Top(), size.width, size.height);
}

std::unique_ptr<ControlPeer> Label::CreatePeer() { return backend::CreateLabelPeer(*this); }

}  // namespace qxqy
