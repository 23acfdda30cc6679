#include "tools/hostsim/list_view_probe.h"

#include <commctrl.h>

#include "tools/hostsim/unique_handle.h"

namespace qxqy::hostsim {

namespace {

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle dc) noexcept { DeleteDC(dc); }
};

// Keeps `font` selected into `dc` while alive; puts the DC's first font back.
class SelectedFont {
 public:
  SelectedFont(HDC dc, HGDIOBJ font) : dc_(dc), original_(SelectObject(dc, font)) {}
  ~SelectedFont() { SelectObject(dc_, original_); }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  HDC dc_;
  HGDIOBJ original_;
};

std::string ItemText(HWND list, int index) {
  char text[512] = {};
  LVITEMA item{};
  item.iSubItem = 0;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return text;
}

LPARAM ItemParam(HWND list, int index) {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item.lParam;
}

bool IsBold(HGDIOBJ font) {
  LOGFONTA description{};
  return GetObjectA(font, sizeof description, &description) != 0 && description.lfWeight >= FW_BOLD;
}

}  // namespace

std::vector<ListItemLook> ReadListItems(HWND list) {
  std::vector<ListItemLook> items;
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  UniqueHandle<MemoryDcTraits> dc(CreateCompatibleDC(nullptr));
  HGDIOBJ list_font = reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0));
  if (!list_font) list_font = GetStockObject(DEFAULT_GUI_FONT);
  SelectedFont keep(dc.get(), list_font);

  HWND parent = GetParent(list);
  NMLVCUSTOMDRAW draw{};
  draw.nmcd.hdr.hwndFrom = list;
  draw.nmcd.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
  draw.nmcd.hdr.code = NM_CUSTOMDRAW;
  draw.nmcd.hdc = dc.get();
  draw.nmcd.dwDrawStage = CDDS_PREPAINT;
  GetClientRect(list, &draw.nmcd.rc);
  const LRESULT wants =
      SendMessageA(parent, WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
  const bool per_item = (wants & CDRF_NOTIFYITEMDRAW) != 0;

  for (int i = 0; i < count; ++i) {
    ListItemLook look;
    look.text = ItemText(list, i);
    look.text_colour = CLR_DEFAULT;
    look.bold = IsBold(list_font);
    if (per_item) {
      SelectObject(dc.get(), list_font);
      draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
      draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(i);
      draw.nmcd.lItemlParam = ItemParam(list, i);
      draw.nmcd.uItemState = 0;
      draw.clrText = CLR_DEFAULT;
      draw.clrTextBk = CLR_DEFAULT;
      draw.iSubItem = 0;
      const LRESULT answer =
          SendMessageA(parent, WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
      const HGDIOBJ chosen = GetCurrentObject(dc.get(), OBJ_FONT);
      look.custom_drawn = true;
      look.text_colour = draw.clrText;
      look.font_changed = chosen != list_font;
      look.reported_new_font = (answer & CDRF_NEWFONT) != 0;
      look.bold = IsBold(chosen);
    }
    items.push_back(look);
  }
  return items;
}

}  // namespace qxqy::hostsim
