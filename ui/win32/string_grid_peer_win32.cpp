// The grid as a small custom-painted control of class "QxqyStringGrid". It
// paints the background, the grid lines between the cells and every cell
// through StringGrid::PaintCell (default painting, then the grid's
// OnDrawCell handler) on a canvas over the paint DC. Its window text is the
// whole table (StringGrid::Text), for screen readers and test tools.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "ui/backend.h"
#include "ui/string_grid.h"
#include "ui/win32/child_window_peer.h"
#include "ui/win32/hdc_canvas.h"

namespace qxqy {

namespace {

constexpr char kGridClass[] = "QxqyStringGrid";
constexpr Color kGridLineColor = Rgb(192, 192, 192);

class Win32StringGridPeer : public win32::ChildWindowPeer {
 public:
  explicit Win32StringGridPeer(StringGrid& grid) : ChildWindowPeer(grid), grid_(grid) {
    win32::EnsureWindowClass(kGridClass, CS_HREDRAW | CS_VREDRAW);
    CreateChild(kGridClass, false, 0, 0, std::string());
  }
  ~Win32StringGridPeer() override { DestroyNativeWindow(); }

 private:
  void UpdateKind(Change what) override {
    if (what == Change::kContent || what == Change::kFont) Invalidate();
    ChildWindowPeer::UpdateKind(what);
  }

  bool HandleMessage(UINT message, WPARAM w, LPARAM l, LRESULT& result) override {
    switch (message) {
      case WM_ERASEBKGND:
        result = 1;  // WM_PAINT covers every pixel
        return true;
      case WM_PAINT: {
        win32::PaintScope paint(hwnd());
        Paint(paint.dc());
        result = 0;
        return true;
      }
      case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(w));
        result = 0;
        return true;
      case WM_GETTEXTLENGTH:
        result = static_cast<LRESULT>(grid_.Text().size());
        return true;
      case WM_GETTEXT:
        result = CopyText(static_cast<size_t>(w), reinterpret_cast<char*>(l));
        return true;
      case WM_SETTEXT:
        result = TRUE;  // the text is the cells: nothing to store
        return true;
      default:
        return false;
    }
  }

  // Copies as much of the table as fits, terminated; returns the characters copied.
  LRESULT CopyText(size_t capacity, char* buffer) const {
    if (buffer == nullptr || capacity == 0) return 0;
    const std::string text = grid_.Text();
    const size_t count = std::min(text.size(), capacity - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<LRESULT>(count);
  }

  void Paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd(), &client);
    win32::ColorBrush background(grid_.GetColor());
    FillRect(dc, &client, background.get());
    PaintGridLines(dc);
    win32::HdcCanvas canvas(dc, fonts_);
    for (int row = 0; row < grid_.RowCount(); ++row) {
      for (int col = 0; col < grid_.ColCount(); ++col) grid_.PaintCell(canvas, col, row);
    }
  }

  // The lines fill the gaps between (and after) the cells, over the table's extent.
  void PaintGridLines(HDC dc) {
    const int line = grid_.GridLineWidth();
    if (line <= 0 || grid_.ColCount() == 0 || grid_.RowCount() == 0) return;
    const Rect last = grid_.CellRect(grid_.ColCount() - 1, grid_.RowCount() - 1);
    const int right = last.right + line;
    const int bottom = last.bottom + line;
    win32::ColorBrush brush(kGridLineColor);
    for (int col = 0; col < grid_.ColCount(); ++col) {
      const int x = grid_.CellRect(col, 0).right;
      const RECT gap{x, 0, x + line, bottom};
      FillRect(dc, &gap, brush.get());
    }
    for (int row = 0; row < grid_.RowCount(); ++row) {
      const int y = grid_.CellRect(0, row).bottom;
      const RECT gap{0, y, right, y + line};
      FillRect(dc, &gap, brush.get());
    }
  }

  StringGrid& grid_;
  win32::FontCache fonts_;
};

}  // namespace

std::unique_ptr<ControlPeer> backend::CreateStringGridPeer(StringGrid& grid) {
  return std::make_unique<Win32StringGridPeer>(grid);
}

}  // namespace qxqy
