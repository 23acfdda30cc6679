// Screen DPI: both windows are designed in pixels at 96 pixels per inch. A
// window laid out on a screen of another density multiplies every designed
// metric (sizes, child positions, font heights, grid cells) by
// pixels-per-inch / 96 when it is created, rounded as the platform's MulDiv
// rounds, so that it keeps its proportions beside the system's own text and
// frames. Screen positions (where a window first appears) are not metrics of
// the design and are not scaled.
#pragma once

#include "ui/graphics.h"

namespace qxqy {

// The density the layouts are designed at.
inline constexpr int kDesignPixelsPerInch = 96;

// number * numerator / denominator computed without overflow and rounded
// half away from zero, as the platform's MulDiv: -1 when the denominator is
// zero or the result does not fit an int.
int MulDivRounded(int number, int numerator, int denominator);

// The scale of one window's layout: designed pixels to screen pixels.
class DpiScale {
 public:
  // A density that is not positive (a screen that reports nothing) counts
  // as the design density.
  explicit DpiScale(int pixels_per_inch = kDesignPixelsPerInch)
      : pixels_per_inch_(pixels_per_inch > 0 ? pixels_per_inch : kDesignPixelsPerInch) {}

  int PixelsPerInch() const { return pixels_per_inch_; }

  // A designed length or coordinate on this screen.
  int operator()(int design_pixels) const {
    return MulDivRounded(design_pixels, pixels_per_inch_, kDesignPixelsPerInch);
  }
  // A designed rectangle, each of left, top, width and height scaled on its
  // own (so neighbours designed edge to edge stay edge to edge in the
  // common case, and every size is the scaled designed size).
  Rect Bounds(int left, int top, int width, int height) const {
    return RectFromBounds((*this)(left), (*this)(top), (*this)(width), (*this)(height));
  }

 private:
  int pixels_per_inch_;
};

}  // namespace qxqy
