// The face of a flat, toolbar-like button: nothing but the caption on the
// button face while the button rests, a tinted face in a thin frame while
// the mouse is over it, and a darker, sunken face while it is down (checked
// or held pressed). Focus is not shown (these buttons take no focus by
// tabbing).
//
// The painter draws into an off-screen bitmap and copies the result, so a
// button never shows a half-painted face; the target DC keeps every object
// and attribute it had.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ui/graphics.h"

namespace qxqy::win32 {

enum class FlatLook { kPlain, kHot, kDown, kDownHot };

// The colours and metrics of one look. A missing frame or shade is not drawn.
struct FlatLookStyle {
  Color face;
  std::optional<Color> frame;  // one pixel around the edge
  std::optional<Color> shade;  // one pixel inside the frame at the top and left
  int caption_shift;           // the caption moves right and down by this much
};

constexpr FlatLookStyle kFlatPlain{kColorButtonFace, std::nullopt, std::nullopt, 0};
constexpr FlatLookStyle kFlatHot{Rgb(229, 241, 251), Rgb(0, 120, 215), std::nullopt, 0};
constexpr FlatLookStyle kFlatDown{Rgb(184, 214, 242), Rgb(0, 84, 153), Rgb(130, 170, 210), 1};
constexpr FlatLookStyle kFlatDownHot{Rgb(166, 202, 236), Rgb(0, 84, 153), Rgb(120, 160, 202), 1};

constexpr Color kFlatCaptionColor = kSystemColorFlag | COLOR_BTNTEXT;
constexpr Color kFlatDisabledCaptionColor = kSystemColorFlag | COLOR_GRAYTEXT;

// What a button shows: down wins, and the mouse over it counts only while
// the button is enabled (a disabled one gets no mouse input).
struct FlatButtonState {
  bool down = false;
  bool hot = false;
  bool enabled = true;
};
FlatLook ChooseFlatLook(const FlatButtonState& state);
const FlatLookStyle& StyleOf(FlatLook look);

// Paints a whole button of `size` at (0, 0) of `dc`: its face for `state`
// and `caption` centred in `font` (null: the DC's font). Draws nothing for
// an empty size.
void PaintFlatButton(HDC dc, SIZE size, const FlatButtonState& state, HFONT font,
                     const std::string& caption);

}  // namespace qxqy::win32
