#include "ui/string_grid.h"

#include "base/error.h"
#include "ui/backend.h"
#include "ui/dispatch.h"

namespace qxqy {

namespace {
const std::string kNoText;
// The default painting puts the text this far inside the cell.
constexpr int kTextInset = 2;
}  // namespace

StringGrid::StringGrid(Component* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent) {
  SetColor(kColorWindow);
  SetSize(5, 5);
}

void StringGrid::SetSize(int col_count, int row_count) {
  if (col_count < 0 || row_count < 0) throw Error("Invalid grid size");
  std::vector<std::string> cells(static_cast<size_t>(col_count) * row_count);
  for (int row = 0; row < std::min(row_count, row_count_); ++row) {
    for (int col = 0; col < std::min(col_count, col_count_); ++col) {
      cells[static_cast<size_t>(row) * col_count + col] = std::move(cells_[Index(col, row)]);
    }
  }
  cells_ = std::move(cells);
  col_count_ = col_count;
  row_count_ = row_count;
  col_widths_.resize(col_count, default_col_width_);
  row_heights_.resize(row_count, default_row_height_);
  Notify(Change::kContent);
}

bool StringGrid::Contains(int col, int row) const {
  return col >= 0 && row >= 0 && col < col_count_ && row < row_count_;
}

size_t StringGrid::Index(int col, int row) const {
  return static_cast<size_t>(row) * col_count_ + col;
}

const std::string& StringGrid::Cell(int col, int row) const {
  return Contains(col, row) ? cells_[Index(col, row)] : kNoText;
}

void StringGrid::SetCell(int col, int row, std::string text) {
  if (!Contains(col, row)) {
    throw Error("Grid index out of range (" + std::to_string(col) + ", " + std::to_string(row) +
                ")");
  }
  std::string& cell = cells_[Index(col, row)];
  if (cell == text) return;
  cell = std::move(text);
  Notify(Change::kContent);
}

int StringGrid::ColWidth(int col) const {
  return col >= 0 && col < col_count_ ? col_widths_[col] : default_col_width_;
}

int StringGrid::RowHeight(int row) const {
  return row >= 0 && row < row_count_ ? row_heights_[row] : default_row_height_;
}

void StringGrid::SetDefaultColWidth(int width) {
  default_col_width_ = width;
  col_widths_.assign(col_count_, width);
  Notify(Change::kContent);
}

void StringGrid::SetDefaultRowHeight(int height) {
  default_row_height_ = height;
  row_heights_.assign(row_count_, height);
  Notify(Change::kContent);
}

void StringGrid::SetGridLineWidth(int width) {
  grid_line_width_ = width;
  Notify(Change::kContent);
}

void StringGrid::SetFixed(int fixed_cols, int fixed_rows) {
  fixed_cols_ = fixed_cols;
  fixed_rows_ = fixed_rows;
  Notify(Change::kContent);
}

void StringGrid::SetSelection(int col, int row) {
  selected_col_ = col;
  selected_row_ = row;
  Invalidate();
}

Rect StringGrid::CellRect(int col, int row) const {
  int left = 0;
  for (int c = 0; c < col; ++c) left += ColWidth(c) + grid_line_width_;
  int top = 0;
  for (int r = 0; r < row; ++r) top += RowHeight(r) + grid_line_width_;
  return RectFromBounds(left, top, ColWidth(col), RowHeight(row));
}

std::string StringGrid::Text() const {
  std::string text;
  for (int row = 0; row < row_count_; ++row) {
    if (row > 0) text += "\r\n";
    for (int col = 0; col < col_count_; ++col) {
      if (col > 0) text += '\t';
      text += cells_[Index(col, row)];
    }
  }
  return text;
}

void StringGrid::PaintCell(Canvas& canvas, int col, int row) {
  const Rect rect = CellRect(col, row);
  GridDrawState state;
  state.fixed = col < fixed_cols_ || row < fixed_rows_;
  state.selected = !state.fixed && col == selected_col_ && row == selected_row_;
  canvas.SetFont(GetFont());
  if (state.selected) {
    canvas.SetBrushColor(kColorHighlight);
    canvas.GetFont().color = kColorHighlightText;
  } else {
    canvas.SetBrushColor(state.fixed ? kColorButtonFace : GetColor());
  }
  canvas.FillRect(rect);
  canvas.DrawTextAt(rect.left + kTextInset, rect.top + kTextInset, Cell(col, row));
  if (OnDrawCell) {
    DispatchEvent(*this, [&] { OnDrawCell(*this, canvas, col, row, rect, state); });
  }
}

std::unique_ptr<ControlPeer> StringGrid::CreatePeer() {
  return backend::CreateStringGridPeer(*this);
}

}  // namespace qxqy
