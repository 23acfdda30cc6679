// Layout numbers of the main statistics window, in pixels at 96 dots per
// inch, positions in client coordinates unless said otherwise. On a screen
// of another density every length here is scaled when the window is created
// (ui/dpi_scale.h); the first position on the screen and the grid lines are not.
#pragma once

#include "ui/graphics.h"

namespace qxqy::main_form_layout {

inline constexpr char kDesignCaption[] = "QX-QY DX Contest";
inline constexpr int kClientWidth = 328;
inline constexpr int kClientHeight = 193;
// First position on the screen, used until the settings store saved one. A
// place on the screen, not a size: the same at every density.
inline constexpr int kFirstLeft = 1009;
inline constexpr int kFirstTop = 201;

inline constexpr char kFontName[] = "MS Sans Serif";
inline constexpr int kFontHeight = 11;

inline constexpr int kPanelHeight = 44;

inline constexpr int kLabelLeft = 8;
inline constexpr int kLabelTop = 0;
inline constexpr int kLabelFontHeight = 13;
inline constexpr char kLabelFontName[] = "Courier";

inline constexpr int kButtonTop = 18;
inline constexpr int kButtonWidth = 102;
inline constexpr int kButtonHeight = 25;
inline constexpr int kRecalcLeft = 121;
inline constexpr int kDistrictLeft = 224;

inline constexpr int kGridCols = 5;
inline constexpr int kGridRows = 8;
inline constexpr int kGridColWidth = 64;
inline constexpr int kGridRowHeight = 17;
// A line, not a length of the design: 1 pixel at every density.
inline constexpr int kGridLineWidth = 1;
inline constexpr Color kGridColor = Rgb(253, 255, 206);

}  // namespace qxqy::main_form_layout
