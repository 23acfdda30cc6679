// A grid of text cells, every column of one width and every row of one
// height, with grid lines between them. The grid owns its cells and sizes;
// the backend paints it cell by cell through PaintCell().
//
// Cell rectangles: column c starts at c times (column width + line width),
// rows likewise. The right and bottom edges are exclusive.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/control.h"

namespace qxqy {

class StringGrid : public Control {
 public:
  StringGrid(Component* owner, std::string name, Control* parent);

  int ColCount() const { return col_count_; }
  int RowCount() const { return row_count_; }
  // Resizes the table; new cells are empty, cells outside the new size go.
  void SetSize(int col_count, int row_count);

  // The text of a cell; empty for a cell outside the table.
  const std::string& Cell(int col, int row) const;
  // Sets a cell's text; throws Error for a cell outside the table.
  void SetCell(int col, int row, std::string text);

  int ColWidth() const { return col_width_; }
  int RowHeight() const { return row_height_; }
  int GridLineWidth() const { return grid_line_width_; }
  void SetColWidth(int width);
  void SetRowHeight(int height);
  void SetGridLineWidth(int width);

  // The cell's rectangle in the grid's client coordinates.
  Rect CellRect(int col, int row) const;

  // Every cell as text: cells separated by one TAB, rows by CR LF, no
  // separator after the last row. The Win32 grid answers WM_GETTEXT with it.
  std::string Text() const;

  // Runs after the default painting of each cell; the canvas's brush holds
  // the grid's colour.
  std::function<void(StringGrid& sender, Canvas& canvas, int col, int row, const Rect& rect)>
      OnDrawCell;

  // Paints one cell on `canvas`: the default painting (fill with the grid's
  // colour, the text at 2,2 inside the cell), then OnDrawCell behind the
  // error barrier.
  void PaintCell(Canvas& canvas, int col, int row);

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override;

 private:
  size_t Index(int col, int row) const;
  bool Contains(int col, int row) const;

  int col_count_ = 0;
  int row_count_ = 0;
  std::vector<std::string> cells_;
  int col_width_ = 64;
  int row_height_ = 24;
  int grid_line_width_ = 1;
};

}  // namespace qxqy
