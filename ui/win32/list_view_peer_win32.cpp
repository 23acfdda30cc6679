// The list view as a standard "SysListView32" control, so that keyboard,
// screen readers and test tools (LVM_GETITEMCOUNT, LVM_GETITEMTEXT) work on
// it. The control holds no items of its own (LVS_OWNERDATA): it asks for
// each caption by index (LVN_GETDISPINFO), so it always shows the widget's
// items in the widget's sorted order, and a change costs one item count.
//
// Double buffering is the peer's own (the control paints into a bitmap that
// is then copied to the screen in one go): the list view's extended style
// for it exists only in some versions of the common controls, and leaves
// the area below the last row unpainted in others.
//
// Custom drawing: at CDDS_PREPAINT the list asks for item notifications; at
// CDDS_ITEMPREPAINT the widget decides the item's font (its own font, then
// OnCustomDrawItem), and the peer sets the text colour and selects the
// matching font (bold for bold) into the DC.
#include <windows.h>
// windows.h first: the common controls header builds on it.
#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "base/win32/win32_error.h"
#include "ui/backend.h"
#include "ui/list_view.h"
#include "ui/win32/child_window_peer.h"
#include "ui/win32/native_graphics.h"

namespace qxqy {

namespace {

void InitListViewClass() {
  static const bool initialised = [] {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)initialised;  // creating the window reports a failure
}

class Win32ListViewPeer : public win32::ChildWindowPeer {
 public:
  explicit Win32ListViewPeer(ListView& list) : ChildWindowPeer(list), list_(list) {
    InitListViewClass();
    CreateChild(WC_LISTVIEWA, true,
                LVS_LIST | LVS_OWNERDATA | LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS | LVS_SINGLESEL,
                0, std::string());
    ApplyExtendedStyle();
    ApplyColor();
    ApplyItems();
  }
  ~Win32ListViewPeer() override { DestroyNativeWindow(); }

 private:
  void UpdateKind(Change what) override {
    switch (what) {
      case Change::kContent:
        ApplyItems();
        break;
      case Change::kColor:
        ApplyColor();
        break;
      default:
        break;
    }
    ChildWindowPeer::UpdateKind(what);
  }

  void ApplyItems() {
    SendMessageA(hwnd(), LVM_SETITEMCOUNT, static_cast<WPARAM>(list_.Count()), 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
  }

  void ApplyExtendedStyle() {
    SendMessageA(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FLATSB, LVS_EX_FLATSB);
    Invalidate();
  }

  bool HandleMessage(UINT message, WPARAM w, LPARAM, LRESULT& result) override {
    switch (message) {
      case WM_ERASEBKGND:
        result = 1;  // the buffered paint covers every pixel
        return true;
      case WM_PAINT:
        if (w != 0) return false;  // painting into a given DC: nothing to buffer
        PaintBuffered();
        result = 0;
        return true;
      default:
        return false;
    }
  }

  void PaintBuffered() {
    win32::PaintScope paint(hwnd());
    RECT client;
    GetClientRect(hwnd(), &client);
    win32::UniqueMemoryDc buffer(CreateCompatibleDC(paint.dc()));
    win32::UniqueBitmap bitmap(CreateCompatibleBitmap(paint.dc(), client.right, client.bottom));
    if (!buffer || !bitmap) {
      CallDefault(WM_PAINT, reinterpret_cast<WPARAM>(paint.dc()), 0);  // unbuffered, then
      return;
    }
    {
      win32::SelectedObject selected(buffer.get(), bitmap.get());
      win32::ColorBrush background(list_.GetColor());
      FillRect(buffer.get(), &client, background.get());
      CallDefault(WM_PAINT, reinterpret_cast<WPARAM>(buffer.get()), 0);
      BitBlt(paint.dc(), 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
    }
  }

  void ApplyColor() {
    const COLORREF color = win32::ToColorRef(list_.GetColor());
    SendMessageA(hwnd(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(color));
    SendMessageA(hwnd(), LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(color));
  }

  bool OnReflectedNotify(NMHDR& header, LRESULT& result) override {
    switch (header.code) {
      case LVN_GETDISPINFOA:
        FillItem(reinterpret_cast<NMLVDISPINFOA&>(header).item);
        result = 0;
        return true;
      case NM_CUSTOMDRAW:
        result = CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
        return true;
      default:
        return false;
    }
  }

  void FillItem(LVITEMA& item) const {
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
    if (item.iItem < 0 || item.iItem >= list_.Count()) {
      item.pszText[0] = '\0';
      return;
    }
    const std::string& caption = list_.Caption(item.iItem);
    const size_t count = std::min(caption.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::memcpy(item.pszText, caption.data(), count);
    item.pszText[count] = '\0';
  }

  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
      case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
      case CDDS_ITEMPREPAINT: {
        const int index = static_cast<int>(draw.nmcd.dwItemSpec);
        if (index < 0 || index >= list_.Count()) return CDRF_DODEFAULT;
        const Font font = list_.DrawItemFont(index);
        draw.clrText = win32::ToColorRef(font.color);
        SelectObject(draw.nmcd.hdc, fonts_.Get(font));
        return CDRF_NEWFONT;
      }
      default:
        return CDRF_DODEFAULT;
    }
  }

  ListView& list_;
  win32::FontCache fonts_;
};

}  // namespace

std::unique_ptr<ControlPeer> backend::CreateListViewPeer(ListView& list) {
  return std::make_unique<Win32ListViewPeer>(list);
}

}  // namespace qxqy
