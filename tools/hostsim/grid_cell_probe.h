// Measures the grid control's cells from its painting, as a test tool
// looking at the screen would: the grid is asked to paint its client area
// into a bitmap (WM_PRINTCLIENT), and its lines are found in the picture.
// A grid line is a pixel column (row) drawn wholly in the line colour over
// the table's extent, which ends after the last pixel of that colour; the
// cells are the spans between the lines, the first starting at 0.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

namespace qxqy::hostsim {

// Pixels from `begin` up to, not including, `end`.
struct PixelSpan {
  int begin = 0;
  int end = 0;
  bool operator==(const PixelSpan& other) const { return begin == other.begin && end == other.end; }
};

struct GridCells {
  int width = 0;  // the control's client area
  int height = 0;
  std::vector<PixelSpan> columns;
  std::vector<PixelSpan> rows;
};

// A picture of `width` x `height` pixels, row by row from the top.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

GridCells FindGridCells(const Picture& picture, COLORREF line_colour);

// The client area of `window` as it paints itself for WM_PRINTCLIENT;
// nullopt when the bitmap cannot be made.
std::optional<Picture> PaintClient(HWND window);

}  // namespace qxqy::hostsim
