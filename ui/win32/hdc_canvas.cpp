#include "ui/win32/hdc_canvas.h"

namespace qxqy::win32 {

HdcCanvas::HdcCanvas(HDC dc, FontCache& fonts) : dc_(dc), fonts_(fonts) {
  original_font_ = GetCurrentObject(dc_, OBJ_FONT);
  SetBkMode(dc_, TRANSPARENT);
}

HdcCanvas::~HdcCanvas() {
  if (original_font_ != nullptr) SelectObject(dc_, original_font_);
}

void HdcCanvas::FillRect(const Rect& rect) {
  const RECT area{rect.left, rect.top, rect.right, rect.bottom};
  ColorBrush brush(BrushColor());
  ::FillRect(dc_, &area, brush.get());
}

void HdcCanvas::DrawTextAt(int x, int y, std::string_view text) {
  UseFont();
  SetTextColor(dc_, ToColorRef(GetFont().color));
  TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

int HdcCanvas::TextWidth(std::string_view text) {
  UseFont();
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void HdcCanvas::UseFont() { SelectObject(dc_, fonts_.Get(GetFont())); }

}  // namespace qxqy::win32
