#include "ui/win32/glyph_painter.h"

#include "ui/win32/native_graphics.h"

namespace qxqy::win32 {

void GlyphImage::Reset() {
  normal_ = Rendered{};
  disabled_ = Rendered{};
}

void GlyphImage::Render(HDC reference, bool enabled, Rendered& out) const {
  const int width = glyph_.Width() + 1;  // room for the disabled highlight
  const int height = glyph_.Height() + 1;
  out.color.reset(CreateCompatibleBitmap(reference, width, height));
  out.mask.reset(CreateBitmap(width, height, 1, 1, nullptr));
  UniqueMemoryDc color_dc(CreateCompatibleDC(reference));
  UniqueMemoryDc mask_dc(CreateCompatibleDC(reference));
  if (!out.color || !out.mask || !color_dc || !mask_dc) {
    out = Rendered{};
    return;
  }
  SelectedObject color_selected(color_dc.get(), out.color.get());
  SelectedObject mask_selected(mask_dc.get(), out.mask.get());
  PatBlt(color_dc.get(), 0, 0, width, height, BLACKNESS);
  PatBlt(mask_dc.get(), 0, 0, width, height, WHITENESS);
  const auto put = [&](int x, int y, COLORREF color) {
    SetPixelV(color_dc.get(), x, y, color);
    SetPixelV(mask_dc.get(), x, y, RGB(0, 0, 0));
  };
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  for (int y = 0; y < glyph_.Height(); ++y) {
    for (int x = 0; x < glyph_.Width(); ++x) {
      const std::optional<Color> color = glyph_.PixelAt(x, y);
      if (!color) continue;
      if (enabled) {
        put(x, y, ToColorRef(*color));
        continue;
      }
      if (!glyph_.PixelAt(x + 1, y + 1)) put(x + 1, y + 1, highlight);
      put(x, y, shadow);
    }
  }
}

void GlyphImage::Draw(HDC dc, int left, int top, bool enabled) {
  if (glyph_.Empty()) return;
  Rendered& rendered = enabled ? normal_ : disabled_;
  if (!rendered.color) Render(dc, enabled, rendered);
  if (!rendered.color) return;
  UniqueMemoryDc source(CreateCompatibleDC(dc));
  if (!source) return;
  const int width = glyph_.Width() + 1;
  const int height = glyph_.Height() + 1;
  // Keep what is beneath the transparent pixels, then paint the opaque ones.
  {
    SelectedObject mask(source.get(), rendered.mask.get());
    BitBlt(dc, left, top, width, height, source.get(), 0, 0, SRCAND);
  }
  SelectedObject color(source.get(), rendered.color.get());
  BitBlt(dc, left, top, width, height, source.get(), 0, 0, SRCPAINT);
}

}  // namespace qxqy::win32
