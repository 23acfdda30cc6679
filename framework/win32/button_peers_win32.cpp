// Push buttons and toggle buttons as standard "Button" controls, so that
// BM_CLICK, BM_GETCHECK, the keyboard and accessibility tools work on them.
// A click (BN_CLICKED, reflected from the parent) becomes the widget's
// Click(); the widget's state is pushed back into the control.
//
// A push button's picture is drawn by us over the control's own painting,
// at its left edge, after every message that makes the control paint.
#include <windows.h>

#include "framework/backend.h"
#include "framework/button.h"
#include "framework/toggle_button.h"
#include "framework/win32/child_window_peer.h"
#include "framework/win32/glyph_painter.h"

namespace qxqy {

namespace {

constexpr char kButtonClass[] = "Button";
constexpr int kGlyphInset = 6;  // from the button's left edge

// Messages after which a button has painted itself (and so over the picture).
bool RepaintsItself(UINT message) {
  switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_TIMER:  // themed buttons fade between states on a timer
    case WM_CAPTURECHANGED:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_UPDATEUISTATE:
    case WM_SYSCOLORCHANGE:
    case BM_SETSTATE:
    case BM_SETSTYLE:
      return true;
    default:
      return false;
  }
}

class Win32ButtonPeer : public win32::ChildWindowPeer {
 public:
  explicit Win32ButtonPeer(Button& button)
      : ChildWindowPeer(button), button_(button), picture_(button.GetGlyph()) {
    CreateChild(kButtonClass, true, BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, 0, button.Caption());
  }
  ~Win32ButtonPeer() override { DestroyNativeWindow(); }

 private:
  void UpdateKind(Change what) override {
    if (what == Change::kCaption) SetWindowTextA(hwnd(), button_.Caption().c_str());
    if (what == Change::kContent) {
      picture_.Reset();
      Invalidate();
    }
    ChildWindowPeer::UpdateKind(what);
  }

  bool OnReflectedCommand(WORD code) override {
    if (code != BN_CLICKED) return false;
    button_.Click();
    return true;
  }

  bool HandleMessage(UINT message, WPARAM w, LPARAM l, LRESULT& result) override {
    if (message == WM_SYSCOLORCHANGE) picture_.Reset();
    if (message == WM_KEYDOWN && win32::MoveFocusOnTab(hwnd(), w)) {
      result = 0;
      return true;
    }
    if (!RepaintsItself(message) || button_.GetGlyph().Empty()) return false;
    result = CallDefault(message, w, l);
    if (hwnd() == nullptr) return true;
    if (message == WM_PRINTCLIENT) {
      PaintPicture(reinterpret_cast<HDC>(w));
    } else if (IsWindowVisible(hwnd())) {
      win32::WindowDc dc(hwnd());
      PaintPicture(dc.get());
    }
    return true;
  }

  void PaintPicture(HDC dc) {
    const Glyph& glyph = button_.GetGlyph();
    RECT client;
    GetClientRect(hwnd(), &client);
    // The caption moves by a pixel while the button is held down; so does the picture.
    const int pressed = (SendMessageA(hwnd(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0 ? 1 : 0;
    const int top = (client.bottom - glyph.Height()) / 2 + pressed;
    picture_.Draw(dc, kGlyphInset + pressed, top, IsWindowEnabled(hwnd()) != FALSE);
  }

  Button& button_;
  win32::GlyphImage picture_;
};

class Win32ToggleButtonPeer : public win32::ChildWindowPeer {
 public:
  explicit Win32ToggleButtonPeer(ToggleButton& button) : ChildWindowPeer(button), button_(button) {
    // A manual radio button: the portable group decides which one is down.
    CreateChild(kButtonClass, true, BS_RADIOBUTTON | BS_PUSHLIKE, 0, button.Caption());
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

  ToggleButton& button_;
};

}  // namespace

std::unique_ptr<ControlPeer> backend::CreateButtonPeer(Button& button) {
  return std::make_unique<Win32ButtonPeer>(button);
}

std::unique_ptr<ControlPeer> backend::CreateToggleButtonPeer(ToggleButton& button) {
  return std::make_unique<Win32ToggleButtonPeer>(button);
}

}  // namespace qxqy
