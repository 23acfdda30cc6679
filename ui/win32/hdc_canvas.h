// The portable Canvas over a device context, for paint handlers. The canvas
// borrows the DC for one paint call: it selects its fonts into it and puts
// the DC's original font back when it goes. Fonts come from `fonts`, which
// must outlive the canvas.
#pragma once

#include <windows.h>

#include "ui/canvas.h"
#include "ui/win32/native_graphics.h"

namespace qxqy::win32 {

class HdcCanvas : public Canvas {
 public:
  HdcCanvas(HDC dc, FontCache& fonts);
  ~HdcCanvas() override;
  HdcCanvas(const HdcCanvas&) = delete;
  HdcCanvas& operator=(const HdcCanvas&) = delete;

  void FillRect(const Rect& rect) override;
  void DrawTextAt(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;

 private:
  // Selects the canvas's current font into the DC.
  void UseFont();

  HDC dc_;
  FontCache& fonts_;
  HGDIOBJ original_font_ = nullptr;
};

}  // namespace qxqy::win32
