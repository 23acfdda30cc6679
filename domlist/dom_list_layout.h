// Layout numbers of the multiplier window, in pixels at 96 dots per inch,
// positions in client coordinates unless said otherwise. On a screen of
// another density every length here is scaled when the window is created
// (ui/dpi_scale.h), the band bar's own layout included; the first position
// on the screen is not.
#pragma once

#include <array>
#include <cstdint>

#include "ui/graphics.h"

namespace qxqy::dom_list_layout {

inline constexpr char kCaption[] = "Multipliers";
// First window rectangle on the screen, used until the settings store saved
// one. Its corner is a place on the screen, the same at every density; its
// size is the design's.
inline constexpr int kFirstLeft = 1020;
inline constexpr int kFirstTop = 164;
inline constexpr int kFirstWidth = 339;
inline constexpr int kFirstHeight = 182;
// The band bar's layout below is worked out for this client width.
inline constexpr int kClientWidth = 327;

inline constexpr char kFontName[] = "MS Sans Serif";
inline constexpr int kFontHeight = 11;
inline constexpr uint8_t kListCharset = kCyrillicCharset;

// The band bar along the top edge.
inline constexpr int kBandBarHeight = 18;

// The band buttons, one toggle group (the bar holds nothing else); button 4
// ("10") starts down.
inline constexpr int kFirstDownBand = 4;
// Where the layout resource puts each band's button (index = band number;
// entry 0 unused) until the bar's resize handler places them.
inline constexpr int kDesignButtonWidth = 35;
inline constexpr int kDesignButtonHeight = 19;
inline constexpr int kDesignButtonTop = -1;
inline constexpr std::array<int, 10> kDesignButtonLeft = {0,   -1,  34,  69,  105,
                                                          140, 175, 210, 245, 280};
// The order in which the layout resource creates the buttons, which is the
// bar's child order and so the order the resize handler lays them out in:
// "10" comes last.
inline constexpr std::array<int, 9> kBandBarOrder = {1, 2, 3, 5, 6, 7, 8, 9, 4};
// The buttons leave this many pixels of the bar free below them.
inline constexpr int kButtonBottomGap = 1;
// The last button reaches to this many pixels before the bar's right edge.
inline constexpr int kLastButtonRightGap = 4;

// An empty strip along the bottom edge, below the district list.
inline constexpr int kBottomStripHeight = 3;

// Item colours of the district list: worked on the selected band, or not.
inline constexpr Color kWorkedColor = Rgb(255, 0, 0);
inline constexpr Color kNotWorkedColor = Rgb(0, 0, 0);

}  // namespace qxqy::dom_list_layout
