// Draws a portable Glyph on a device context, in its own colours or greyed
// (every opaque pixel in the shadow colour, with a highlight below and to
// the right) for a disabled control. Transparent pixels leave what is
// beneath them.
//
// GlyphImage renders the glyph once per state into a colour bitmap and a
// mask, so that each paint is two BitBlts rather than a call per pixel.
#pragma once

#include <windows.h>

#include "base/win32/handles.h"
#include "ui/glyph.h"

namespace qxqy::win32 {

class GlyphImage {
 public:
  // `glyph` must outlive the image (the widget holds it).
  explicit GlyphImage(const Glyph& glyph) : glyph_(glyph) {}
  void Draw(HDC dc, int left, int top, bool enabled);
  // Forgets the rendered bitmaps (the glyph or the system colours changed).
  void Reset();

 private:
  struct Rendered {
    UniqueBitmap color;  // transparent pixels black
    UniqueBitmap mask;   // transparent pixels white
  };
  void Render(HDC reference, bool enabled, Rendered& out) const;

  const Glyph& glyph_;
  Rendered normal_;
  Rendered disabled_;
};

}  // namespace qxqy::win32
