// Toggle buttons as standard "Button" controls: manual push-like radio
// buttons, so that BM_CLICK works, BM_GETCHECK reports the down state and
// accessibility tools see a radio button. A click (BN_CLICKED, reflected
// from the parent) becomes the widget's Click(); the widget's caption and
// down state are pushed back into the control.
//
// The control is painted by us as a flat button (flat_button_painter.h), in
// WM_PAINT and again after every message that makes the control paint itself
// straight onto the screen; its background is never erased. The hover flag
// follows WM_MOUSEMOVE, and the WM_MOUSELEAVE that TrackMouseEvent asks for.
#include <windows.h>
#include <windowsx.h>

#include <string>

#include "ui/backend.h"
#include "ui/toggle_button.h"
#include "ui/win32/button_self_paint.h"
#include "ui/win32/child_window_peer.h"
#include "ui/win32/flat_button_painter.h"

namespace qxqy {

namespace {

class Win32ToggleButtonPeer : public win32::ChildWindowPeer {
 public:
  explicit Win32ToggleButtonPeer(ToggleButton& button) : ChildWindowPeer(button), button_(button) {
    // A manual radio button: the portable group decides which one is down.
    CreateChild(win32::kButtonClass, true, BS_RADIOBUTTON | BS_PUSHLIKE, 0, button.Caption());
    ApplyCheck();
  }
  ~Win32ToggleButtonPeer() override { DestroyNativeWindow(); }

 private:
  void UpdateKind(Change what) override {
    if (what == Change::kCaption) SetWindowTextA(hwnd(), button_.Caption().c_str());
    if (what == Change::kState) ApplyCheck();
    ChildWindowPeer::UpdateKind(what);
  }

  void ApplyCheck() {
    SendMessageA(hwnd(), BM_SETCHECK, button_.Down() ? BST_CHECKED : BST_UNCHECKED, 0);
    // Checking a radio button makes it a tab stop; these buttons take no focus by tabbing.
    const LONG_PTR style = GetWindowLongPtrA(hwnd(), GWL_STYLE);
    if (!button_.TabStop() && (style & WS_TABSTOP) != 0) {
      SetWindowLongPtrA(hwnd(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    }
  }

  bool OnReflectedCommand(WORD code) override {
    if (code != BN_CLICKED) return false;
    button_.Click();
    ApplyCheck();  // a disabled or refused click leaves the control as the widget is
    return true;
  }

  bool HandleMessage(UINT message, WPARAM w, LPARAM l, LRESULT& result) override {
    switch (message) {
      case WM_ERASEBKGND:
        result = 1;  // the face covers every pixel
        return true;
      case WM_PAINT: {
        const win32::PaintScope paint(hwnd());
        PaintFace(paint.dc());
        result = 0;
        return true;
      }
      case WM_PRINTCLIENT:
        PaintFace(reinterpret_cast<HDC>(w));
        result = 0;
        return true;
      case WM_MOUSEMOVE:
        TrackHover(POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)});
        break;
      case WM_MOUSELEAVE:
        hover_ = false;
        break;
      case WM_ENABLE:
        if (w == FALSE) hover_ = false;
        break;
      default:
        break;
    }
    if (!win32::ButtonRepaintsItself(message)) return false;
    result = CallDefault(message, w, l);
    if (hwnd() != nullptr && IsWindowVisible(hwnd())) {
      const win32::WindowDc dc(hwnd());
      PaintFace(dc.get());
    }
    return true;
  }

  // Hot while the pointer is inside (it may be outside while the button
  // holds the mouse capture); asks for WM_MOUSELEAVE when it enters.
  void TrackHover(POINT point) {
    RECT client;
    GetClientRect(hwnd(), &client);
    const bool inside = PtInRect(&client, point) != FALSE;
    if (inside && !hover_) {
      TRACKMOUSEEVENT track{};
      track.cbSize = sizeof track;
      track.dwFlags = TME_LEAVE;
      track.hwndTrack = hwnd();
      TrackMouseEvent(&track);
    }
    hover_ = inside;
  }

  void PaintFace(HDC dc) {
    RECT client;
    GetClientRect(hwnd(), &client);
    win32::FlatButtonState state;
    state.down = SendMessageA(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED ||
                 (SendMessageA(hwnd(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    state.hot = hover_;
    state.enabled = IsWindowEnabled(hwnd()) != FALSE;
    const auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd(), WM_GETFONT, 0, 0));
    win32::PaintFlatButton(dc, SIZE{client.right, client.bottom}, state, font, WindowText());
  }

  std::string WindowText() const {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd())) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(hwnd(), text.data(), static_cast<int>(text.size()))));
    return text;
  }

  ToggleButton& button_;
  bool hover_ = false;
};

}  // namespace

std::unique_ptr<ControlPeer> backend::CreateToggleButtonPeer(ToggleButton& button) {
  return std::make_unique<Win32ToggleButtonPeer>(button);
}

}  // namespace qxqy
