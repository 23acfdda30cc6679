#include "tools/hostsim/font_probe.h"

#include <cstdlib>

#include "tools/hostsim/text_format.h"
#include "tools/hostsim/window_probe.h"

namespace qxqy::hostsim {

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

}  // namespace

std::vector<ControlFont> ReadControlFonts(HWND window) {
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  std::vector<ControlFont> fonts;
  for (HWND child : children) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
    LOGFONTA description{};
    if (font == nullptr || GetObjectA(font, sizeof description, &description) == 0) continue;
    ControlFont entry;
    entry.class_name = ClassName(child);
    if (entry.class_name == "Button") {
      entry.class_name += " " + QuoteText(PlainCaption(WindowText(child)));
    }
    entry.name = description.lfFaceName;
    entry.height = std::abs(description.lfHeight);
    entry.bold = description.lfWeight >= FW_BOLD;
    fonts.push_back(entry);
  }
  return fonts;
}

}  // namespace qxqy::hostsim
