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

void StringGrid::SetColWidth(int width) {
  col_width_ = width;
  Notify(Change::kContent);
}

void StringGrid::SetRowHeight(int height) {
  row_height_ = height;
  Notify(Change::kContent);
}

void StringGrid::SetGridLineWidth(int width) {
  grid_line_width_ = width;
  Notify(Change::kContent);
}

Rect StringGrid::CellRect(int col, int row) const {
  return RectFromBounds(col * (col_width_ + grid_line_width_),
                        row * (row_height_ + grid_line_width_), col_width_, row_height_);
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
  canvas.SetFont(GetFont());
  canvas.SetBrushColor(GetColor());
  canvas.FillRect(rect);
  canvas.DrawTextAt(rect.left + kTextInset, rect.top + kTextInset, Cell(col, row));
  if (OnDrawCell) DispatchEvent(*this, [&] { OnDrawCell(*this, canvas, col, row, rect); });
}

std::unique_ptr<ControlPeer> StringGrid::CreatePeer() {
  return backend::CreateStringGridPeer(*this);
}

}  // namespace qxqy
