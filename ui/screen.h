// What the windows need to know about the screen. Implemented once per
// backend (natively a single 1920 x 1080 screen at 96 pixels per inch).
#pragma once

#include <string_view>

#include "ui/graphics.h"

namespace qxqy {

int ScreenPixelsPerInch();
// The work area of the primary screen, in screen coordinates.
Rect ScreenWorkArea();
// True when `window` overlaps some screen's area.
bool IsOnSomeScreen(const Rect& window);

// The size of `text` drawn in `font`: width and height in pixels.
struct TextSize {
  int width = 0;
  int height = 0;
};
TextSize MeasureText(const Font& font, std::string_view text);

}  // namespace qxqy
