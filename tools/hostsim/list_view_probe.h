// Reads a list view's items and how its parent wants each one drawn: the
// probe plays the list's part of custom drawing (NM_CUSTOMDRAW to the parent:
// CDDS_PREPAINT, then CDDS_ITEMPREPAINT per item, on a memory DC holding the
// list's font, clrText preset to CLR_DEFAULT) and looks at the colour and font
// the parent chose. Nothing is painted.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qxqy::hostsim {

struct ListItemLook {
  std::string text;
  bool custom_drawn = false;       // the parent asked for per-item drawing
  COLORREF text_colour = 0;        // CLR_DEFAULT when the parent left it
  bool bold = false;               // weight of the font selected for the item
  bool font_changed = false;       // another font was selected into the DC
  bool reported_new_font = false;  // ... and CDRF_NEWFONT was returned
};

std::vector<ListItemLook> ReadListItems(HWND list);

}  // namespace qxqy::hostsim
