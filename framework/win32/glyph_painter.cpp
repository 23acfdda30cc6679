#include "framework/win32/glyph_painter.h"

#include "framework/win32/native_graphics.h"

namespace qxqy::win32 {

void PaintGlyph(HDC dc, const Glyph& glyph, int left, int top, bool enabled) {
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  for (int y = 0; y < glyph.Height(); ++y) {
    for (int x = 0; x < glyph.Width(); ++x) {
      const std::optional<Color> color = glyph.PixelAt(x, y);
      if (!color) continue;
      if (enabled) {
        SetPixelV(dc, left + x, top + y, ToColorRef(*color));
      } else {
        if (!glyph.PixelAt(x + 1, y + 1)) SetPixelV(dc, left + x + 1, top + y + 1, highlight);
        SetPixelV(dc, left + x, top + y, shadow);
      }
    }
  }
}

}  // namespace qxqy::win32
