// Draws a portable Glyph pixel by pixel on a device context: in its own
// colours, or greyed (every opaque pixel in the shadow colour, with a
// highlight below and to the right) for a disabled control.
#pragma once

#include <windows.h>

#include "framework/glyph.h"

namespace qxqy::win32 {

void PaintGlyph(HDC dc, const Glyph& glyph, int left, int top, bool enabled);

}  // namespace qxqy::win32
