// The flat button's face: which look each state gets, that the looks can be
// told apart, where the caption goes, and that the target DC is left as it
// was found.
#include "ui/win32/flat_button_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "base/win32/handles.h"
#include "ui/win32/native_graphics.h"

namespace qxqy::win32 {
namespace {

constexpr SIZE kButtonSize{36, 17};

// A colour bitmap selected into a memory DC, to paint into and read back.
class PaintTarget {
 public:
  PaintTarget()
      : dc_(CreateCompatibleDC(screen_.get())),
        bitmap_(CreateCompatibleBitmap(screen_.get(), kButtonSize.cx, kButtonSize.cy)),
        selected_(dc_.get(), bitmap_.get()) {}
  HDC dc() const { return dc_.get(); }

  // The box around the pixels of `area` that are not `background`; empty
  // (left >= right) when there are none.
  RECT InkBox(const RECT& area, COLORREF background) const {
    RECT box{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        if (GetPixel(dc(), x, y) == background) continue;
        box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                   std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
      }
    }
    return box;
  }

 private:
  WindowDc screen_{nullptr};
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  SelectedObject selected_;
};

UniqueFont BandBarFont() {
  Font font;
  font.name = "MS Sans Serif";
  font.height = 11;
  return CreateNativeFont(font);
}

TEST(FlatButtonPainterTest, LookFollowsDownHoverAndEnabledState) {
  struct Case {
    bool down, hot, enabled;
    FlatLook expected;
  };
  const Case cases[] = {
      {false, false, true, FlatLook::kPlain},  {false, true, true, FlatLook::kHot},
      {true, false, true, FlatLook::kDown},    {true, true, true, FlatLook::kDownHot},
      {false, true, false, FlatLook::kPlain},  {true, true, false, FlatLook::kDown},
      {false, false, false, FlatLook::kPlain}, {true, false, false, FlatLook::kDown},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseFlatLook(FlatButtonState{c.down, c.hot, c.enabled}), c.expected)
        << "down " << c.down << " hot " << c.hot << " enabled " << c.enabled;
  }
}

TEST(FlatButtonPainterTest, EveryLookHasItsOwnFaceAndOnlyTheDownOnesAreSunken) {
  const FlatLook looks[] = {FlatLook::kPlain, FlatLook::kHot, FlatLook::kDown, FlatLook::kDownHot};
  std::set<COLORREF> faces;
  for (const FlatLook look : looks) faces.insert(ToColorRef(StyleOf(look).face));
  EXPECT_EQ(faces.size(), 4u);
  EXPECT_FALSE(StyleOf(FlatLook::kPlain).frame) << "a resting button is flat";
  EXPECT_FALSE(StyleOf(FlatLook::kHot).shade);
  EXPECT_TRUE(StyleOf(FlatLook::kDown).shade);
  EXPECT_TRUE(StyleOf(FlatLook::kDownHot).shade);
}

TEST(FlatButtonPainterTest, PaintsFaceFrameAndShadeOfEachLook) {
  struct Case {
    FlatButtonState state;
    const FlatLookStyle& style;
  };
  const Case cases[] = {
      {{false, false, true}, kFlatPlain},
      {{false, true, true}, kFlatHot},
      {{true, false, true}, kFlatDown},
      {{true, true, true}, kFlatDownHot},
  };
  for (const Case& c : cases) {
    PaintTarget canvas;
    PaintFlatButton(canvas.dc(), kButtonSize, c.state, nullptr, "");
    const COLORREF face = ToColorRef(c.style.face);
    const COLORREF edge = ToColorRef(c.style.frame.value_or(c.style.face));
    const COLORREF inner = ToColorRef(c.style.shade.value_or(c.style.face));
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), edge) << "top-left corner, down " << c.state.down;
    EXPECT_EQ(GetPixel(canvas.dc(), 35, 16), edge) << "bottom-right corner";
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 8), inner) << "inside the left edge";
    EXPECT_EQ(GetPixel(canvas.dc(), 34, 8), face) << "inside the right edge: no shade";
    EXPECT_EQ(GetPixel(canvas.dc(), 18, 8), face) << "the middle, no caption";
  }
}

TEST(FlatButtonPainterTest, CaptionIsCentredAndMovesWithThePressedFace) {
  const UniqueFont font = BandBarFont();
  const RECT inside_frame{2, 2, kButtonSize.cx - 1, kButtonSize.cy - 1};
  const auto caption_box = [&](bool down) {
    PaintTarget canvas;
    const FlatButtonState state{down, false, true};
    PaintFlatButton(canvas.dc(), kButtonSize, state, font.get(), "28");
    return canvas.InkBox(inside_frame, ToColorRef(StyleOf(ChooseFlatLook(state)).face));
  };
  const RECT up = caption_box(false);
  ASSERT_LT(up.left, up.right) << "no caption drawn";
  const int left_gap = up.left;
  const int right_gap = kButtonSize.cx - up.right;
  EXPECT_LE(std::abs(left_gap - right_gap), 1) << "left " << left_gap << " right " << right_gap;
  // The line is centred, and digits stand on the baseline: a little higher than the middle.
  const int top_gap = up.top;
  const int bottom_gap = kButtonSize.cy - up.bottom;
  EXPECT_LE(std::abs(top_gap - bottom_gap), 3) << "top " << top_gap << " bottom " << bottom_gap;

  RECT expected_down = up;
  OffsetRect(&expected_down, 1, 1);
  const RECT down = caption_box(true);
  EXPECT_TRUE(EqualRect(&down, &expected_down))
      << "down at " << down.left << "," << down.top << " up at " << up.left << "," << up.top;
}

TEST(FlatButtonPainterTest, TargetKeepsItsFontColoursAndModes) {
  const UniqueFont font = BandBarFont();
  const UniqueFont target_font = BandBarFont();
  PaintTarget canvas;
  const SelectedObject selected(canvas.dc(), target_font.get());
  SetTextColor(canvas.dc(), RGB(1, 2, 3));
  SetBkMode(canvas.dc(), OPAQUE);
  PaintFlatButton(canvas.dc(), kButtonSize, FlatButtonState{true, true, true}, font.get(), "14");
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), target_font.get());
  EXPECT_EQ(GetTextColor(canvas.dc()), RGB(1, 2, 3));
  EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE);
}

TEST(FlatButtonPainterTest, EmptySizePaintsNothing) {
  PaintTarget canvas;
  SetPixel(canvas.dc(), 0, 0, RGB(9, 8, 7));
  PaintFlatButton(canvas.dc(), SIZE{0, 17}, FlatButtonState{true, false, true}, nullptr, "7");
  PaintFlatButton(canvas.dc(), SIZE{36, 0}, FlatButtonState{true, false, true}, nullptr, "7");
  EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(9, 8, 7));
}

}  // namespace
}  // namespace qxqy::win32
