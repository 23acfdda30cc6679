// Top-level windows. The window class is named after the form's class
// ("TfmMainForm"), so that tools find the windows by class. Every window is
// natively owned by the application handle (none while that is zero), not
// by its owner form's window: Windows hides an owned window whenever its
// owner is minimised. Its frame, icons and always-on-top flag follow the
// form's layout data.
//
// Native events go to the portable form: the system command first to the
// form (Form::SysCommand), the close request to Form::Close, moves, sizes,
// minimising and showing are noted, and a destruction the form did not ask
// for ends the form. The posted release is a private message to the
// window; the form is destroyed when the window procedure receives it.
#include <windows.h>

#include "base/win32/win32_error.h"
#include "ui/backend.h"
#include "ui/component_ref.h"
#include "ui/form.h"
#include "ui/screen.h"
#include "ui/win32/native_graphics.h"
#include "ui/win32/posted_tasks.h"
#include "ui/win32/window_peer.h"

namespace qxqy {

namespace {

using win32::HandleValue;
using win32::WindowFromValue;

constexpr char kDefaultFormClass[] = "QxqyForm";

DWORD FrameStyle(BorderStyle border) {
  return border == BorderStyle::kSizeable ? WS_CAPTION | WS_THICKFRAME : WS_CAPTION;
}

DWORD FormStyle(const Form& form) {
  DWORD style = FrameStyle(form.GetBorderStyle()) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (form.HasSystemMenu()) style |= WS_SYSMENU;
  if (form.HasMinimizeBox()) style |= WS_MINIMIZEBOX;
  if (form.HasMaximizeBox()) style |= WS_MAXIMIZEBOX;
  return style;
}

DWORD FormExStyle(const Form& form) {
  return WS_EX_CONTROLPARENT | (form.StayOnTop() ? WS_EX_TOPMOST : 0);
}

int ShowCommandFor(WindowState state) {
  switch (state) {
    case WindowState::kMinimized:
      return SW_SHOWMINNOACTIVE;
    case WindowState::kMaximized:
      return SW_SHOWMAXIMIZED;
    case WindowState::kNormal:
      break;
  }
  return SW_SHOWNORMAL;
}

class Win32FormPeer : public FormPeer, public win32::WindowPeer {
 public:
  explicit Win32FormPeer(Form& form) : form_(form), background_(form.GetColor()) {
    const std::string class_name =
        form.ClassName().empty() ? std::string(kDefaultFormClass) : form.ClassName();
    win32::EnsureWindowClass(class_name);
    HWND owner = WindowFromValue(form.OwnerWindowHandle());
    if (owner != nullptr && !IsWindow(owner)) owner = nullptr;  // a stale handle owns nothing
    CreateArgs args;
    args.class_name = class_name;
    args.text = form.Caption();
    args.style = FormStyle(form);
    args.ex_style = FormExStyle(form);
    args.bounds = form.BoundsRect();
    args.parent = owner;
    CreateOwnWindow(args);
    handle_value_ = HandleValue(hwnd());
    created_ = true;
    NoteGeometry();
  }

  ~Win32FormPeer() override { DestroyNativeWindow(); }

  void Update(Change what) override {
    if (hwnd() == nullptr) return;
    switch (what) {
      case Change::kBounds:
        ApplyBounds();
        break;
      case Change::kVisible:
        ShowWindow(hwnd(), form_.Visible() ? ShowCommandFor(form_.GetWindowState()) : SW_HIDE);
        break;
      case Change::kEnabled:
        EnableWindow(hwnd(), form_.Enabled() ? TRUE : FALSE);
        break;
      case Change::kCaption:
        SetWindowTextA(hwnd(), form_.Caption().c_str());
        break;
      case Change::kColor:
        background_.Set(form_.GetColor());
        InvalidateRect(hwnd(), nullptr, TRUE);
        break;
      case Change::kState:
        ApplyWindowState();
        break;
      case Change::kStyle:
        ApplyStyle();
        break;
      default:
        break;
    }
  }

  void Repaint() override {
    if (hwnd() == nullptr) return;
    RedrawWindow(hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }

  uint32_t NativeHandle() const override { return handle_value_; }

  void PostRelease() override {
    if (hwnd() == nullptr) {
      // The window is gone already (destroyed from outside while the form
      // was busy): the backend's own message window carries the request.
      win32::PostTask([form = ComponentRef<Form>(&form_)] {
        if (form) form->DispatchPostedRelease();
      });
      return;
    }
    if (!PostMessageA(hwnd(), win32::kPostedReleaseMessage, 0, 0)) {
      win32::ThrowLastError("Cannot post the release of window " + form_.Name());
    }
  }

  void DefaultSysCommand(unsigned command) override {
    if (hwnd() != nullptr) DefWindowProcA(hwnd(), WM_SYSCOMMAND, command, sys_command_position_);
  }

  void BringToFront() override {
    if (hwnd() != nullptr && IsWindowVisible(hwnd())) BringWindowToTop(hwnd());
  }

  std::optional<WindowPlacement> NativePlacement() const override {
    WINDOWPLACEMENT native{};
    native.length = sizeof native;
    if (hwnd() == nullptr || !GetWindowPlacement(hwnd(), &native)) return std::nullopt;
    WindowPlacement placement;
    placement.flags = static_cast<int>(native.flags);
    placement.show_command = static_cast<int>(native.showCmd);
    placement.min_x = native.ptMinPosition.x;
    placement.min_y = native.ptMinPosition.y;
    placement.max_x = native.ptMaxPosition.x;
    placement.max_y = native.ptMaxPosition.y;
    const RECT& normal = native.rcNormalPosition;
    placement.normal_position = Rect{normal.left, normal.top, normal.right, normal.bottom};
    return placement;
  }

  bool SetNativeNormalPosition(const Rect& normal_position) override {
    if (hwnd() == nullptr) return false;
    SetNormalPosition(normal_position);
    return true;
  }

 private:
  bool HandleMessage(UINT message, WPARAM w, LPARAM l, LRESULT& result) override {
    switch (message) {
      case WM_SYSCOMMAND: {
        // The cursor position (mouse commands) or key (menu keys) that the
        // default handling needs, should the form leave the command to it.
        const LPARAM outer = sys_command_position_;
        sys_command_position_ = l;
        form_.SysCommand(static_cast<unsigned>(w));
        sys_command_position_ = outer;
        result = 0;
        return true;
      }
      case WM_CLOSE:
        form_.Close();
        result = 0;
        return true;
      case win32::kPostedReleaseMessage:
        result = 0;
        form_.DispatchPostedRelease();  // may end this peer: return at once
        return true;
      case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd(), &client);
        FillRect(reinterpret_cast<HDC>(w), &client, background_.get());
        result = 1;
        return true;
      }
      case WM_WINDOWPOSCHANGED:
        NoteGeometry();
        return false;  // the default handling sends WM_SIZE and WM_MOVE
      case WM_SHOWWINDOW:
        // lParam non-zero: hidden or shown with the owner, not by a request.
        if (l == 0 && created_) form_.NoteNativeVisible(w != 0);
        return false;
      default:
        return false;
    }
  }

  void OnNativeDestroyed() override { form_.NoteNativeDestroyed(); }

  // The window's rectangle, client size and state as the form's own.
  void NoteGeometry() {
    if (!created_ || !noting_geometry_ || hwnd() == nullptr) return;
    const WindowState state = IsIconic(hwnd())   ? WindowState::kMinimized
                              : IsZoomed(hwnd()) ? WindowState::kMaximized
                                                 : WindowState::kNormal;
    form_.NoteNativeWindowState(state);
    if (state != WindowState::kNormal) return;  // the form keeps its normal rectangle
    RECT window;
    RECT client;
    GetWindowRect(hwnd(), &window);
    GetClientRect(hwnd(), &client);
    form_.NoteNativeBounds(Rect{window.left, window.top, window.right, window.bottom});
    form_.NoteNativeClientSize(client.right, client.bottom);
  }

  void ApplyBounds() {
    const Rect& bounds = form_.BoundsRect();
    if (IsIconic(hwnd()) || IsZoomed(hwnd())) {
      // Only the normal position changes; the window stays as it is.
      SetNormalPosition(ScreenToWorkArea(bounds, ScreenWorkArea()));
      return;
    }
    SetWindowPos(hwnd(), nullptr, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  }

  // The placement record's normal position (work-area coordinates) becomes
  // `normal`; the window keeps its visibility and state.
  void SetNormalPosition(const Rect& normal) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd(), &placement);
    placement.rcNormalPosition = RECT{normal.left, normal.top, normal.right, normal.bottom};
    placement.flags &= ~static_cast<UINT>(WPF_SETMINPOSITION);
    placement.showCmd = !IsWindowVisible(hwnd()) ? SW_HIDE
                        : IsIconic(hwnd())       ? SW_SHOWMINNOACTIVE
                        : IsZoomed(hwnd())       ? SW_SHOWMAXIMIZED
                                                 : SW_SHOWNOACTIVATE;
    SetWindowPlacement(hwnd(), &placement);
  }

  void ApplyWindowState() {
    if (!IsWindowVisible(hwnd())) return;  // applied when the window is shown
    switch (form_.GetWindowState()) {
      case WindowState::kMinimized:
        if (!IsIconic(hwnd())) ShowWindow(hwnd(), SW_MINIMIZE);
        break;
      case WindowState::kMaximized:
        if (!IsZoomed(hwnd())) ShowWindow(hwnd(), SW_MAXIMIZE);
        break;
      case WindowState::kNormal:
        if (IsIconic(hwnd()) || IsZoomed(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
        break;
    }
  }

  // The frame changes but the form keeps its client size: the form resizes
  // the window right after, so the interim geometry is not noted.
  void ApplyStyle() {
    const bool was_noting = noting_geometry_;
    noting_geometry_ = false;
    const LONG_PTR keep = GetWindowLongPtrA(hwnd(), GWL_STYLE) &
                          (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowLongPtrA(hwnd(), GWL_STYLE, static_cast<LONG_PTR>(FormStyle(form_)) | keep);
    const LONG_PTR ex_keep = GetWindowLongPtrA(hwnd(), GWL_EXSTYLE) & ~WS_EX_TOPMOST;
    SetWindowLongPtrA(hwnd(), GWL_EXSTYLE,
                      ex_keep | static_cast<LONG_PTR>(FormExStyle(form_) & ~WS_EX_TOPMOST));
    SetWindowPos(hwnd(), form_.StayOnTop() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    noting_geometry_ = was_noting;
  }

  Form& form_;
  win32::ColorBrush background_;
  uint32_t handle_value_ = 0;
  bool created_ = false;
  bool noting_geometry_ = true;
  LPARAM sys_command_position_ = 0;
};

}  // namespace

std::unique_ptr<FormPeer> backend::CreateFormPeer(Form& form) {
  return std::make_unique<Win32FormPeer>(form);
}

Insets backend::FrameInsets(BorderStyle style) {
  RECT rect{0, 0, 0, 0};
  // A framed top-level window always gets the raised window edge.
  AdjustWindowRectEx(&rect, FrameStyle(style) | WS_SYSMENU, FALSE, WS_EX_WINDOWEDGE);
  return Insets{-rect.left, -rect.top, rect.right, rect.bottom};
}

}  // namespace qxqy
