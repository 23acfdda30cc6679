#include "ui/form.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/backend.h"
#include "ui/dispatch.h"
#include "ui/screen.h"

namespace qxqy {

Form::Form(Component* owner, std::string name, std::string class_name)
    : Control(owner, std::move(name), nullptr),
      class_name_(std::move(class_name)),
      scale_(ScreenPixelsPerInch()) {
  StoreVisible(false);
}

Form::~Form() { listeners_.clear(); }

void Form::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Notify(Change::kCaption);
}

void Form::SetBorderStyle(BorderStyle style) {
  if (style == border_style_) return;
  border_style_ = style;
  Notify(Change::kStyle);
  SetClientSize(client_width_, client_height_);
}

void Form::SetStayOnTop(bool on_top) {
  if (on_top == stay_on_top_) return;
  stay_on_top_ = on_top;
  Notify(Change::kStyle);
}

void Form::SetBorderIcons(bool system_menu, bool minimize_box, bool maximize_box) {
  system_menu_ = system_menu;
  minimize_box_ = minimize_box;
  maximize_box_ = maximize_box;
  Notify(Change::kStyle);
}

void Form::SetClientSize(int width, int height) {
  const Insets frame = backend::FrameInsets(border_style_);
  SetBounds(Left(), Top(), width + frame.left + frame.right, height + frame.top + frame.bottom);
  // Bounds that did not move still need the client size the caller asked for.
  if (client_width_ != width || client_height_ != height) NoteNativeClientSize(width, height);
}

void Form::BoundsChanged(const Rect& old_bounds) {
  const Insets frame = backend::FrameInsets(border_style_);
  client_width_ = std::max(0, Width() - frame.left - frame.right);
  client_height_ = std::max(0, Height() - frame.top - frame.bottom);
  if (old_bounds.Width() != Width() || old_bounds.Height() != Height()) LayOutDocked();
  Control::BoundsChanged(old_bounds);
}

void Form::Dock(Control* top, Control* fill, Control* bottom) {
  docked_top_ = top;
  docked_fill_ = fill;
  docked_bottom_ = bottom;
  LayOutDocked();
}

void Form::LayOutDocked() {
  int top = 0;
  int bottom = client_height_;
  if (Control* bar = docked_top_.get()) {
    bar->SetBounds(0, 0, client_width_, bar->Height());
    top = bar->Height();
  }
  if (Control* bar = docked_bottom_.get()) {
    bottom -= bar->Height();
    bar->SetBounds(0, bottom, client_width_, bar->Height());
  }
  if (Control* fill = docked_fill_.get()) {
    fill->SetBoundsRect(Rect{0, top, client_width_, std::max(top, bottom)});
  }
}

void Form::NoteNativeClientSize(int width, int height) {
  if (width == client_width_ && height == client_height_) return;
  client_width_ = width;
  client_height_ = height;
  LayOutDocked();
  DoResize();
}

void Form::NoteNativeWindowState(WindowState state) { window_state_ = state; }

void Form::NoteNativeVisible(bool visible) { StoreVisible(visible); }

void Form::NoteNativeDestroyed() {
  if (Destroying()) return;
  if (BusyTree()) {
    Application::Instance().DeferRelease(*this);
    return;
  }
  Component::Destroy(this);
}

void Form::SetWindowState(WindowState state) {
  if (state == window_state_) return;
  window_state_ = state;
  Notify(Change::kState);
}

void Form::Minimize() { SetWindowState(WindowState::kMinimized); }

void Form::Show() {
  if (Visible() || showing_) {
    if (FormPeer* peer = GetFormPeer()) peer->BringToFront();
    return;
  }
  HandleNeeded();
  BusyScope busy(*this);
  showing_ = true;
  const std::vector<FormListener*> listeners = listeners_;
  for (FormListener* listener : listeners) {
    DispatchEvent(*this, [listener] { listener->FormShowing(); });
  }
  if (OnShow) DispatchEvent(*this, [this] { OnShow(*this); });
  showing_ = false;
  SetVisible(true);
  if (FormPeer* peer = GetFormPeer()) peer->BringToFront();
}

void Form::Hide() { SetVisible(false); }

void Form::Close() {
  BusyScope busy(*this);
  bool can_close = true;
  if (OnCloseQuery && !DispatchEvent(*this, [this, &can_close] { OnCloseQuery(*this, can_close); }))
    return;
  if (!can_close) return;
  const std::vector<FormListener*> listeners = listeners_;
  for (FormListener* listener : listeners) {
    DispatchEvent(*this, [listener] { listener->FormCloseAccepted(); });
  }
  if (OnClose && !DispatchEvent(*this, [this] { OnClose(*this); })) return;
  Hide();
}

void Form::Release() {
  HandleNeeded();
  GetFormPeer()->PostRelease();
}

void Form::DispatchPostedRelease() {
  if (Destroying()) return;
  if (BusyTree()) {
    Application::Instance().DeferRelease(*this);
    return;
  }
  Component::Destroy(this);
}

void Form::SysCommand(unsigned command) {
  HandleNeeded();
  bool handled = false;
  if (OnSysCommand &&
      !DispatchEvent(*this, [this, command, &handled] { handled = OnSysCommand(*this, command); }))
    return;
  if (!handled) GetFormPeer()->DefaultSysCommand(command);
}

uint32_t Form::Handle() {
  CreateHandles();
  return Peer()->NativeHandle();
}

uint32_t Form::OwnerWindowHandle() const { return Application::Instance().Handle(); }

WindowPlacement Form::Placement() const {
  if (const FormPeer* peer = GetFormPeer()) {
    if (std::optional<WindowPlacement> native = peer->NativePlacement()) return *native;
  }
  WindowPlacement placement;
  placement.show_command = window_state_ == WindowState::kMinimized   ? kShowCmdMinimized
                           : window_state_ == WindowState::kMaximized ? kShowCmdMaximized
                                                                      : kShowCmdNormal;
  placement.normal_position = ScreenToWorkArea(BoundsRect(), ScreenWorkArea());
  return placement;
}

void Form::SetNormalPosition(const Rect& normal_position) {
  HandleNeeded();
  if (GetFormPeer()->SetNativeNormalPosition(normal_position)) return;
  SetBoundsRect(WorkAreaToScreen(normal_position, ScreenWorkArea()));
}

FormPeer* Form::GetFormPeer() const { return static_cast<FormPeer*>(Peer()); }

std::unique_ptr<ControlPeer> Form::CreatePeer() { return backend::CreateFormPeer(*this); }

void Form::AddListener(FormListener* listener) { listeners_.push_back(listener); }

void Form::RemoveListener(FormListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

bool Form::BusyTree() const {
  if (busy_ > 0) return true;
  for (Component* component : Components()) {
    const auto* owned_form = dynamic_cast<const Form*>(component);
    if (owned_form != nullptr && owned_form->BusyTree()) return true;
  }
  return false;
}

void Form::BeforeDestruction() {
  const std::vector<FormListener*> listeners = listeners_;
  for (FormListener* listener : listeners) {
    DispatchEvent(*this, [listener] { listener->FormDestroying(); });
  }
}

Form::BusyScope::BusyScope(Form& form) : form_(&form) {
  if (!form_) return;  // a form being destroyed is not held
  ++form_->busy_;
  counted_ = true;
  Application::Instance().BusyBegan();
}

Form::BusyScope::~BusyScope() {
  if (!counted_) return;
  if (form_) --form_->busy_;
  Application::Instance().BusyEnded();
}

}  // namespace qxqy
