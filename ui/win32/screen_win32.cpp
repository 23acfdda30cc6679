// The screen as the windows see it: the display's pixels per inch, the
// primary work area, the monitors, and text measured with GDI.
#include <windows.h>

#include "base/win32/handles.h"
#include "ui/screen.h"
#include "ui/win32/native_graphics.h"

namespace qxqy {

int ScreenPixelsPerInch() {
  win32::WindowDc screen(nullptr);
  return screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

Rect ScreenWorkArea() {
  RECT area{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return Rect{area.left, area.top, area.right, area.bottom};
}

bool IsOnSomeScreen(const Rect& window) {
  const RECT rect{window.left, window.top, window.right, window.bottom};
  return MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr;
}

TextSize MeasureText(const Font& font, std::string_view text) {
  // Fonts made for measuring are kept: a label is measured at every change.
  static win32::FontCache fonts;
  win32::WindowDc screen(nullptr);
  win32::SelectedObject selected(screen.get(), fonts.Get(font));
  SIZE size{0, 0};
  if (!text.empty()) {
    GetTextExtentPoint32A(screen.get(), text.data(), static_cast<int>(text.size()), &size);
  } else {
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.get(), &metrics);
    size.cy = metrics.tmHeight;
  }
  return TextSize{size.cx, size.cy};
}

}  // namespace qxqy
