// The plain widgets: panels as windows of our own class that only paint
// their background and hold other controls; labels as standard
// "Static" controls whose window text is the caption, coloured through
// WM_CTLCOLORSTATIC.
#include <windows.h>

#include "ui/backend.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/win32/child_window_peer.h"
#include "ui/win32/native_graphics.h"

namespace qxqy {

namespace {

constexpr char kPanelClass[] = "QxqyPanel";

// A window of ours that fills itself with the panel's colour.
class Win32PanelPeer : public win32::ChildWindowPeer {
 public:
  explicit Win32PanelPeer(Panel& panel)
      : ChildWindowPeer(panel), panel_(panel), background_(panel.GetColor()) {
    win32::EnsureWindowClass(kPanelClass);
    CreateChild(kPanelClass, false, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, std::string());
  }
  ~Win32PanelPeer() override { DestroyNativeWindow(); }

 private:
  void UpdateKind(Change what) override {
    if (what == Change::kColor) background_.Set(panel_.GetColor());
    ChildWindowPeer::UpdateKind(what);
  }

  bool HandleMessage(UINT message, WPARAM w, LPARAM, LRESULT& result) override {
    if (message != WM_ERASEBKGND) return false;
    RECT client;
    GetClientRect(hwnd(), &client);
    FillRect(reinterpret_cast<HDC>(w), &client, background_.get());
    result = 1;
    return true;
  }

  Panel& panel_;
  win32::ColorBrush background_;
};

class Win32LabelPeer : public win32::ChildWindowPeer {
 public:
  explicit Win32LabelPeer(Label& label) : ChildWindowPeer(label), label_(label) {
    CreateChild("Static", true, SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, label.Caption());
  }
  ~Win32LabelPeer() override { DestroyNativeWindow(); }

 private:
  void UpdateKind(Change what) override {
    if (what == Change::kCaption) SetWindowTextA(hwnd(), label_.Caption().c_str());
    if (what == Change::kColor) background_.Set(label_.GetColor());
    if (what == Change::kFont) Invalidate();
    ChildWindowPeer::UpdateKind(what);
  }

  HBRUSH OnReflectedColor(HDC dc) override {
    SetTextColor(dc, win32::ToColorRef(label_.GetFont().color));
    SetBkColor(dc, win32::ToColorRef(label_.GetColor()));
    return background_.get();
  }

  Label& label_;
  win32::ColorBrush background_{label_.GetColor()};
};

}  // namespace

std::unique_ptr<ControlPeer> backend::CreatePanelPeer(Panel& panel) {
  return std::make_unique<Win32PanelPeer>(panel);
}

std::unique_ptr<ControlPeer> backend::CreateLabelPeer(Label& label) {
  return std::make_unique<Win32LabelPeer>(label);
}

}  // namespace qxqy
