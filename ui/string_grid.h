// A grid of text cells. The grid owns its cells, column widths, row heights
// and line width; the backend paints it cell by cell through PaintCell().
//
// Cell rectangles: column c starts at the sum of the widths of the columns
// before it plus one line width per column before it; rows likewise. The
// right and bottom edges are exclusive.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/control.h"

namespace qxqy {

struct GridDrawState {
  bool selected = false;
  bool fixed = false;
};

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

  int ColWidth(int col) const;
  int RowHeight(int row) const;
  // Sets every column width / row height at once.
  void SetDefaultColWidth(int width);
  void SetDefaultRowHeight(int height);
  int GridLineWidth() const { return grid_line_width_; }
  void SetGridLineWidth(int width);
  int FixedCols() const { return fixed_cols_; }
  int FixedRows() const { return fixed_rows_; }
  void SetFixed(int fixed_cols, int fixed_rows);

  // The selected cell; (-1, -1) when none.
  int SelectedCol() const { return selected_col_; }
  int SelectedRow() const { return selected_row_; }
  void SetSelection(int col, int row);

  // The cell's rectangle in the grid's client coordinates.
  Rect CellRect(int col, int row) const;

  // Every cell as text: cells separated by one TAB, rows by CR LF, no
  // separator after the last row. The Win32 grid answers WM_GETTEXT with it.
  std::string Text() const;

  // Runs after the default painting of each cell; the canvas's brush holds
  // the colour the grid chose (grid colour, or highlight when selected).
  std::function<void(StringGrid& sender, Canvas& canvas, int col, int row, const Rect& rect,
                     GridDrawState state)>
      OnDrawCell;

  // Paints one cell on `canvas`: the default painting (fill with the grid
  // or highlight colour, the text at 2,2 inside the cell), then OnDrawCell
  // behind the error barrier.
  void PaintCell(Canvas& canvas, int col, int row);

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override;

 private:
  size_t Index(int col, int row) const;
  bool Contains(int col, int row) const;

  int col_count_ = 0;
  int row_count_ = 0;
  std::vector<std::string> cells_;
  std::vector<int> col_widths_;
  std::vector<int> row_heights_;
  int default_col_width_ = 64;
  int default_row_height_ = 24;
  int grid_line_width_ = 1;
  int fixed_cols_ = 0;
  int fixed_rows_ = 0;
  int selected_col_ = -1;
  int selected_row_ = -1;
};

}  // namespace qxqy
