// A drawing surface handed to paint handlers (grid cells). The canvas owns
// its current font and brush colour; the backend implements the drawing
// operations (a device context on Windows; RecordingCanvas records them).
// A canvas is only valid for the duration of the paint call that hands it out.
#pragma once

#include <string>
#include <string_view>

#include "ui/graphics.h"

namespace qxqy {

class Canvas {
 public:
  virtual ~Canvas() = default;

  Font& GetFont() { return font_; }
  void SetFont(const Font& font) { font_ = font; }
  Color BrushColor() const { return brush_color_; }
  void SetBrushColor(Color color) { brush_color_ = color; }

  // Fills `rect` with the current brush colour.
  virtual void FillRect(const Rect& rect) = 0;
  // Draws `text` in the current font with its top-left corner at (x, y); no clipping.
  virtual void DrawTextAt(int x, int y, std::string_view text) = 0;
  // The width in pixels of `text` in the current font.
  virtual int TextWidth(std::string_view text) = 0;

 private:
  Font font_;
  Color brush_color_ = kColorWindow;
};

}  // namespace qxqy
