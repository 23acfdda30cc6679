// A small picture for a button, drawn as pixel rows in code: each row is a
// string with one character per pixel, and the palette gives each character
// its colour. A character the palette does not name ('.' by convention) is
// transparent. Plain data; the backend draws it beside the caption.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/graphics.h"

namespace qxqy {

struct Glyph {
  std::vector<std::string> rows;
  std::vector<std::pair<char, Color>> palette;

  bool Empty() const { return rows.empty(); }
  int Height() const { return static_cast<int>(rows.size()); }
  // The widest row.
  int Width() const;
  // The colour of pixel (x, y); nullopt where transparent or outside.
  std::optional<Color> PixelAt(int x, int y) const;
};

// Pictures drawn for this plug-in's buttons, 16 x 16 pixels each.
Glyph RefreshGlyph();  // a circular arrow: recompute
Glyph ListGlyph();     // a sheet with bulleted lines: open a list

}  // namespace qxqy
