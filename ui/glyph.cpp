#include "ui/glyph.h"

#include <algorithm>

namespace qxqy {

int Glyph::Width() const {
  size_t width = 0;
  for (const std::string& row : rows) width = std::max(width, row.size());
  return static_cast<int>(width);
}

std::optional<Color> Glyph::PixelAt(int x, int y) const {
  if (y < 0 || y >= Height() || x < 0 || x >= static_cast<int>(rows[y].size())) {
    return std::nullopt;
  }
  const char key = rows[y][x];
  for (const auto& [name, color] : palette) {
    if (name == key) return color;
  }
  return std::nullopt;
}

Glyph RefreshGlyph() {
  return Glyph{{
                   "................",
                   "......GGGGG.....",
                   "....GGDDDDDGG.G.",
                   "...GDD.....DGGG.",
                   "..GD.......GGGG.",
                   "..GD......GGGGG.",
                   ".GD.............",
                   ".GD.............",
                   ".............DG.",
                   ".............DG.",
                   ".GGGGG......DG..",
                   ".GGGG.......DG..",
                   ".GGGD.....DDG...",
                   ".G.GGDDDDDGG....",
                   ".....GGGGG......",
                   "................",
               },
               {{'G', Rgb(0, 128, 0)}, {'D', Rgb(0, 80, 0)}}};
}

Glyph ListGlyph() {
  return Glyph{{
                   "................",
                   ".KKKKKKKKKKKKK..",
                   ".KWWWWWWWWWWWK..",
                   ".KWRRWBBBBBBWK..",
                   ".KWRRWWWWWWWWK..",
                   ".KWWWWWWWWWWWK..",
                   ".KWRRWBBBBBBWK..",
                   ".KWRRWWWWWWWWK..",
                   ".KWWWWWWWWWWWK..",
                   ".KWRRWBBBBBBWK..",
                   ".KWRRWWWWWWWWK..",
                   ".KWWWWWWWWWWWK..",
                   ".KWRRWBBBBBBWK..",
                   ".KWRRWWWWWWWWK..",
                   ".KWWWWWWWWWWWK..",
                   ".KKKKKKKKKKKKK..",
               },
               {{'K', Rgb(64, 64, 64)},
                {'W', Rgb(255, 255, 255)},
                {'R', Rgb(255, 0, 0)},
                {'B', Rgb(0, 0, 160)}}};
}

}  // namespace qxqy
