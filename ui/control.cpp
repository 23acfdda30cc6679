#include "ui/control.h"

#include <algorithm>

#include "ui/dispatch.h"
#include "ui/form.h"

namespace qxqy {

Control::Control(Component* owner, std::string name, Control* parent)
    : Component(owner, std::move(name)), parent_(parent) {
  if (parent_ != nullptr) {
    parent_->children_.push_back(this);
    font_ = parent_->font_;
    color_ = parent_->color_;
  }
}

Control::~Control() {
  DestroyHandles();
  for (Control* child : children_) child->parent_ = nullptr;
  if (parent_ != nullptr) parent_->RemoveChild(this);
}

Form* Control::ParentForm() {
  Control* top = this;
  while (top->parent_ != nullptr) top = top->parent_;
  return top->AsForm();
}

void Control::SetBounds(int left, int top, int width, int height) {
  SetBoundsInternal(RectFromBounds(left, top, width, height), true);
}

void Control::SetBoundsRect(const Rect& rect) { SetBoundsInternal(rect, true); }

void Control::SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }

void Control::SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

void Control::NoteNativeBounds(const Rect& bounds) { SetBoundsInternal(bounds, false); }

void Control::SetBoundsInternal(const Rect& rect, bool notify_peer) {
  if (rect == bounds_) return;
  const Rect old_bounds = bounds_;
  bounds_ = rect;
  if (notify_peer) Notify(Change::kBounds);
  BoundsChanged(old_bounds);
}

void Control::BoundsChanged(const Rect& old_bounds) {
  if (old_bounds.Width() == bounds_.Width() && old_bounds.Height() == bounds_.Height()) return;
  DoResize();
}

void Control::DoResize() {
  if (OnResize) DispatchEvent(*this, [this] { OnResize(*this); });
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Notify(Change::kVisible);
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Notify(Change::kEnabled);
}

void Control::SetTabStop(bool tab_stop) {
  if (tab_stop == tab_stop_) return;
  tab_stop_ = tab_stop;
  Notify(Change::kTabOrder);
}

void Control::SetTabOrder(int tab_order) {
  if (tab_order == tab_order_) return;
  tab_order_ = tab_order;
  Notify(Change::kTabOrder);
}

void Control::SetFont(const Font& font) {
  parent_font_ = false;
  if (font == font_) return;
  font_ = font;
  Notify(Change::kFont);
  for (Control* child : children_) child->ParentFontChanged(font_);
}

void Control::ParentFontChanged(const Font& font) {
  if (!parent_font_ || font == font_) return;
  font_ = font;
  Notify(Change::kFont);
  for (Control* child : children_) child->ParentFontChanged(font_);
}

void Control::SetColor(Color color) {
  parent_color_ = false;
  if (color == color_) return;
  color_ = color;
  Notify(Change::kColor);
  for (Control* child : children_) child->ParentColorChanged(color_);
}

void Control::ParentColorChanged(Color color) {
  if (!parent_color_ || color == color_) return;
  color_ = color;
  Notify(Change::kColor);
  for (Control* child : children_) child->ParentColorChanged(color_);
}

void Control::Repaint() {
  ++repaint_requests_;
  if (peer_) peer_->Repaint();
}

void Control::CreateHandles() {
  if (!peer_) peer_ = CreatePeer();
  for (Control* child : children_) child->CreateHandles();
}

void Control::DestroyHandles() {
  for (Control* child : children_) child->DestroyHandles();
  peer_.reset();
}

void Control::Notify(Change what) {
  if (peer_) peer_->Update(what);
}

void Control::RemoveChild(Control* child) {
  auto it = std::find(children_.begin(), children_.end(), child);
  if (it != children_.end()) children_.erase(it);
}

}  // namespace qxqy
