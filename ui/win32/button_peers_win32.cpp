// Push buttons as standard "Button" controls, so that BM_CLICK, the
// keyboard and accessibility tools work on them. A click (BN_CLICKED,
// reflected from the parent) becomes the widget's Click(); the widget's
// caption is pushed into the control. Toggle buttons: toggle_button_peer_win32.cpp.
//
// A push button's picture is drawn by us over the control's own painting,
// at its left edge, after every message that makes the control paint.
#include <windows.h>

#include "ui/backend.h"
#include "ui/button.h"
#include "ui/win32/button_self_paint.h"
#include "ui/win32/child_window_peer.h"
#include "ui/win32/glyph_painter.h"

namespace qxqy {

namespace {

constexpr int kGlyphInset = 6;  // from the button's left edge

class Win32ButtonPeer : public win32::ChildWindowPeer {
 public:
  explicit Win32ButtonPeer(Button& button)
      : ChildWindowPeer(button), button_(button), picture_(button.GetGlyph()) {
    CreateChild(win32::kButtonClass, true, BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, 0,
                button.Caption());
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
    if (!win32::ButtonRepaintsItself(message) || button_.GetGlyph().Empty()) return false;
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

}  // namespace

std::unique_ptr<ControlPeer> backend::CreateButtonPeer(Button& button) {
  return std::make_unique<Win32ButtonPeer>(button);
}

}  // namespace qxqy
