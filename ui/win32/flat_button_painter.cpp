#include "ui/win32/flat_button_painter.h"

#include "base/win32/handles.h"
#include "ui/win32/native_graphics.h"

namespace qxqy::win32 {

namespace {

void FillArea(HDC dc, const RECT& area, Color color) {
  const ColorBrush brush(color);
  FillRect(dc, &area, brush.get());
}

void DrawFace(HDC dc, RECT area, const FlatLookStyle& style) {
  FillArea(dc, area, style.face);
  if (style.frame) {
    const ColorBrush brush(*style.frame);
    FrameRect(dc, &area, brush.get());
    InflateRect(&area, -1, -1);
  }
  if (style.shade) {
    FillArea(dc, RECT{area.left, area.top, area.right, area.top + 1}, *style.shade);
    FillArea(dc, RECT{area.left, area.top, area.left + 1, area.bottom}, *style.shade);
  }
}

void DrawCaption(HDC dc, RECT area, const std::string& caption, HFONT font, Color color,
                 int shift) {
  OffsetRect(&area, shift, shift);
  const int old_mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF old_color = SetTextColor(dc, ToColorRef(color));
  {
    const SelectedObject selected(dc, font);  // a null font selects nothing: the DC's stays
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SetTextColor(dc, old_color);
  SetBkMode(dc, old_mode);
}

void DrawButton(HDC dc, SIZE size, const FlatButtonState& state, HFONT font,
                const std::string& caption) {
  const FlatLookStyle& style = StyleOf(ChooseFlatLook(state));
  const RECT area{0, 0, size.cx, size.cy};
  DrawFace(dc, area, style);
  DrawCaption(dc, area, caption, font,
              state.enabled ? kFlatCaptionColor : kFlatDisabledCaptionColor, style.caption_shift);
}

}  // namespace

FlatLook ChooseFlatLook(const FlatButtonState& state) {
  const bool hot = state.hot && state.enabled;
  if (state.down) return hot ? FlatLook::kDownHot : FlatLook::kDown;
  return hot ? FlatLook::kHot : FlatLook::kPlain;
}

const FlatLookStyle& StyleOf(FlatLook look) {
  switch (look) {
    case FlatLook::kHot:
      return kFlatHot;
    case FlatLook::kDown:
      return kFlatDown;
    case FlatLook::kDownHot:
      return kFlatDownHot;
    case FlatLook::kPlain:
      break;
  }
  return kFlatPlain;
}

void PaintFlatButton(HDC dc, SIZE size, const FlatButtonState& state, HFONT font,
                     const std::string& caption) {
  if (size.cx <= 0 || size.cy <= 0) return;
  UniqueMemoryDc buffer(CreateCompatibleDC(dc));
  UniqueBitmap bitmap(buffer ? CreateCompatibleBitmap(dc, size.cx, size.cy) : nullptr);
  if (!bitmap) {
    // Out of GDI resources: straight onto the target, flicker and all.
    DrawButton(dc, size, state, font, caption);
    return;
  }
  const SelectedObject selected(buffer.get(), bitmap.get());
  DrawButton(buffer.get(), size, state, font, caption);
  BitBlt(dc, 0, 0, size.cx, size.cy, buffer.get(), 0, 0, SRCCOPY);
}

}  // namespace qxqy::win32
