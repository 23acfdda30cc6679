#include "tools/hostsim/grid_cell_probe.h"

#include <gtest/gtest.h>

#include <string>

namespace qxqy::hostsim {
namespace {

constexpr COLORREF kLine = RGB(192, 192, 192);
constexpr COLORREF kCell = RGB(253, 255, 206);
constexpr COLORREF kText = RGB(0, 0, 0);

// A picture drawn from rows of characters: '#' line, '.' cell, 'x' text.
Picture Draw(const std::vector<std::string>& rows) {
  Picture picture;
  picture.height = static_cast<int>(rows.size());
  picture.width = static_cast<int>(rows.front().size());
  for (const std::string& row : rows) {
    for (char c : row) picture.pixels.push_back(c == '#' ? kLine : c == 'x' ? kText : kCell);
  }
  return picture;
}

std::vector<PixelSpan> Spans(std::initializer_list<PixelSpan> list) { return list; }

TEST(GridCellProbeTest, CellsAreTheSpansBetweenWholeLinesOverTheTable) {
  // Two columns of 3 and 2 pixels, two rows of 1 and 2; the area beyond the
  // table (right and below) is no cell, and a column in the line colour only
  // where the horizontal lines cross it (column 0) is no line.
  const GridCells cells = FindGridCells(Draw({
                                            "x..#..#..",
                                            "#######..",
                                            "..x#x.#..",
                                            ".xx#..#..",
                                            "#######..",
                                            ".........",
                                        }),
                                        kLine);
  EXPECT_EQ(cells.width, 9);
  EXPECT_EQ(cells.height, 6);
  EXPECT_EQ(cells.columns, Spans({{0, 3}, {4, 6}}));
  EXPECT_EQ(cells.rows, Spans({{0, 1}, {2, 4}}));
}

TEST(GridCellProbeTest, WideLinesCountOnceAndAPictureWithoutLinesHasNoCells) {
  const GridCells wide = FindGridCells(Draw({
                                           "..##.##",
                                           "..##.##",
                                           "#######",
                                           "#######",
                                       }),
                                       kLine);
  EXPECT_EQ(wide.columns, Spans({{0, 2}, {4, 5}}));
  EXPECT_EQ(wide.rows, Spans({{0, 2}}));

  const GridCells blank = FindGridCells(Draw({"...", "..x"}), kLine);
  EXPECT_TRUE(blank.columns.empty());
  EXPECT_TRUE(blank.rows.empty());
}

}  // namespace
}  // namespace qxqy::hostsim
