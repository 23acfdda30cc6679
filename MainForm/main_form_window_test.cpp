// The statistics window's own designed properties, read from its objects:
// the frame (caption, border, icons, stay-on-top, class), every widget's
// place, font, colour, enabled state and keyboard order, the grid's shape
// and the buttons' pictures. The Windows peers only render these, so what
// is asserted here is what the operator sees on any backend.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MainForm/main_form_fixture.h"
#include "ui/screen.h"

namespace qxqy::testing {
namespace {

Font ScoreLineFont() {
  Font font = DesignedWindowFont();
  font.name = "Courier";
  font.height = 13;
  font.bold = true;
  font.color = Rgb(0, 0, 255);
  return font;
}

constexpr Color kPaleYellow = Rgb(253, 255, 206);

TEST_F(MainFormTest, TheFrameIsAFixedAlwaysOnTopWindowWithoutAMaximiseBox) {
  TfmMainForm* form = Create(HostDefaults().LogCaption("Log"));
  EXPECT_EQ(form->Name(), "fmMainForm");
  EXPECT_EQ(form->ClassName(), "TfmMainForm");  // tools find the window by its class
  EXPECT_EQ(form->Caption(), "Log in QX-QY DX Contest");
  EXPECT_EQ(form->GetBorderStyle(), BorderStyle::kSingle);
  EXPECT_TRUE(form->HasSystemMenu());
  EXPECT_TRUE(form->HasMinimizeBox());
  EXPECT_FALSE(form->HasMaximizeBox());
  EXPECT_TRUE(form->StayOnTop());
  EXPECT_EQ(form->GetColor(), kColorButtonFace);
  EXPECT_EQ(form->GetFont(), DesignedWindowFont());
  EXPECT_EQ(form->GetWindowState(), WindowState::kNormal);
  EXPECT_FALSE(form->Visible());  // shown by Run, after the first recalculation
}

// Every widget as the layout places it: parent, rectangle in its parent's
// client area, font, colour, enabled state and keyboard stop.
TEST_F(MainFormTest, EveryWidgetHasItsDesignedPlaceFontColourAndKeyboardStop) {
  TfmMainForm* form = Create(HostDefaults());
  struct Expected {
    const Control* widget;
    const Control* parent;
    Rect bounds;
    Font font;
    Color color;
    bool enabled;
    bool tab_stop;
  };
  const Expected widgets[] = {
      {&form->Panel1, form, Rect{0, 149, 328, 193}, DesignedWindowFont(), kColorButtonFace, true,
       false},
      {&form->StringGrid1, form, Rect{0, 0, 328, 149}, DesignedWindowFont(), kPaleYellow, false,
       false},
      {&form->Label1, &form->Panel1, RectFromBounds(8, 0, 0, 13), ScoreLineFont(), kColorButtonFace,
       true, false},
      {&form->BitBtn1, &form->Panel1, RectFromBounds(121, 18, 102, 25), DesignedWindowFont(),
       kColorButtonFace, true, true},
      {&form->btnOBL1, &form->Panel1, RectFromBounds(224, 18, 102, 25), DesignedWindowFont(),
       kColorButtonFace, true, true},
  };
  for (const Expected& e : widgets) {
    SCOPED_TRACE(e.widget->Name());
    EXPECT_EQ(e.widget->Parent(), e.parent);
    EXPECT_EQ(e.widget->BoundsRect(), e.bounds);
    EXPECT_EQ(e.widget->GetFont(), e.font);
    EXPECT_EQ(e.widget->GetColor(), e.color);
    EXPECT_EQ(e.widget->Enabled(), e.enabled);
    EXPECT_EQ(e.widget->TabStop(), e.tab_stop);
  }
  // The panel holds the score line and the two buttons and nothing else.
  EXPECT_EQ(form->Panel1.Children(),
            (std::vector<Control*>{&form->BitBtn1, &form->Label1, &form->btnOBL1}));
}

TEST_F(MainFormTest, TheKeyboardGoesFromRecalcToDistrictAndNeverToTheGrid) {
  TfmMainForm* form = Open(HostDefaults());
  EXPECT_TRUE(form->BitBtn1.TabStop());
  EXPECT_TRUE(form->btnOBL1.TabStop());
  EXPECT_LT(form->BitBtn1.TabOrder(), form->btnOBL1.TabOrder());
  // The grid takes no focus, clicks or keys, also after the recalculation.
  EXPECT_FALSE(form->StringGrid1.TabStop());
  EXPECT_FALSE(form->StringGrid1.Enabled());
  EXPECT_TRUE(form->BitBtn1.Enabled());
  EXPECT_TRUE(form->btnOBL1.Enabled());
}

TEST_F(MainFormTest, TheGridHoldsFiveColumnsOfEightRowsThatFitWithoutScrollBars) {
  TfmMainForm* form = Create(HostDefaults());
  const StringGrid& grid = form->StringGrid1;
  EXPECT_EQ(grid.ColCount(), 5);
  EXPECT_EQ(grid.RowCount(), 8);
  EXPECT_EQ(grid.ColWidth(), 64);
  EXPECT_EQ(grid.RowHeight(), 17);
  EXPECT_EQ(grid.GridLineWidth(), 1);
  EXPECT_EQ(grid.CellRect(4, 7), RectFromBounds(4 * 65, 7 * 18, 64, 17));
  EXPECT_LE(grid.CellRect(4, 7).right, grid.Width());
  EXPECT_LE(grid.CellRect(4, 7).bottom, grid.Height());
}

TEST_F(MainFormTest, BothButtonsShowTheirCaptionBesideTheirOwnSixteenPixelPicture) {
  TfmMainForm* form = Create(HostDefaults());
  const struct {
    const Button& button;
    const char* caption;
  } buttons[] = {{form->BitBtn1, "Recalc"}, {form->btnOBL1, "District"}};
  for (const auto& b : buttons) {
    SCOPED_TRACE(b.caption);
    EXPECT_EQ(b.button.Caption(), b.caption);
    EXPECT_EQ(b.button.GetGlyph().Width(), 16);
    EXPECT_EQ(b.button.GetGlyph().Height(), 16);
  }
  EXPECT_NE(form->BitBtn1.GetGlyph().rows, form->btnOBL1.GetGlyph().rows);
}

TEST_F(MainFormTest, TheScoreLineStartsEmptyAndItsWidthFollowsItsText) {
  AddLogRow("599 001", "QX1AB", "14", "CW", "QX1");
  TfmMainForm* form = Create(HostDefaults());
  EXPECT_EQ(form->Label1.Caption(), "");
  form->Show();
  ASSERT_EQ(form->Label1.Caption(), "Score: 3*(0+1)=3");
  const TextSize size = MeasureText(ScoreLineFont(), "Score: 3*(0+1)=3");
  EXPECT_EQ(form->Label1.BoundsRect(), RectFromBounds(8, 0, size.width, size.height));
}

TEST_F(MainFormTest, TheFirstPositionAndTheClientAreaAreTheDesignedOnes) {
  TfmMainForm* form = Create(HostDefaults());
  EXPECT_EQ(form->Left(), 1009);
  EXPECT_EQ(form->Top(), 201);
  EXPECT_EQ(form->ClientWidth(), 328);
  EXPECT_EQ(form->ClientHeight(), 193);
  // The frame around the client area is the backend's, for a fixed border.
  EXPECT_GT(form->Width(), 328);
  EXPECT_GT(form->Height(), 193);
}

}  // namespace
}  // namespace qxqy::testing
