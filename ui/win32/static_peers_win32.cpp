// The plain widgets: panels and splitters as windows of our own classes that
// only paint their background (and, for a panel, its bevel) and hold other
// controls; labels as standard "Static" controls whose window text is the
// caption, coloured through WM_CTLCOLORSTATIC.
#include <windows.h>

#include "ui/backend.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/win32/child_window_peer.h"
#include "ui/win32/native_graphics.h"

namespace qxqy {

namespace {

constexpr char kPanelClass[] = "QxqyPanel";
constexpr char kSplitterClass[] = "QxqySplitter";

// A window of ours that fills itself with its control's colour.
class FilledWindowPeer : public win32::ChildWindowPeer {
 public:
  FilledWindowPeer(Control& control, const char* class_name, DWORD style, DWORD ex_style)
      : ChildWindowPeer(control), background_(control.GetColor()) {
    win32::EnsureWindowClass(class_name);
    CreateChild(class_name, false, style, ex_style, std::string());
  }
  ~FilledWindowPeer() override { DestroyNativeWindow(); }

 protected:
  void UpdateKind(Change what) override {
    if (what == Change::kColor) background_.Set(control().GetColor());
    if (what == Change::kStyle) Invalidate();
    ChildWindowPeer::UpdateKind(what);
  }

  bool HandleMessage(UINT message, WPARAM w, LPARAM, LRESULT& result) override {
    if (message != WM_ERASEBKGND) return false;
    RECT client;
    GetClientRect(hwnd(), &client);
    const HDC dc = reinterpret_cast<HDC>(w);
    FillRect(dc, &client, background_.get());
    PaintFrame(dc, client);
    result = 1;
    return true;
  }

  virtual void PaintFrame(HDC, RECT&) {}

 private:
  win32::ColorBrush background_;
};

class Win32PanelPeer : public FilledWindowPeer {
 public:
  explicit Win32PanelPeer(Panel& panel)
      : FilledWindowPeer(panel, kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT), panel_(panel) {}

 private:
  void PaintFrame(HDC dc, RECT& client) override {
    if (panel_.Bevel()) DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
  }

  Panel& panel_;
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

std::unique_ptr<ControlPeer> backend::CreateSplitterPeer(Splitter& splitter) {
  return std::make_unique<FilledWindowPeer>(splitter, kSplitterClass, 0, 0);
}

std::unique_ptr<ControlPeer> backend::CreateLabelPeer(Label& label) {
  return std::make_unique<Win32LabelPeer>(label);
}

}  // namespace qxqy
