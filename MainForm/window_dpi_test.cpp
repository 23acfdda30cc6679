// Both windows laid out on screens of 96, 120 and 144 pixels per inch (the
// headless screen's density set per test): every designed metric scaled by
// dpi/96 with MulDiv rounding, the first screen positions unchanged, the
// density recorded with the placement, and a placement saved at another
// density not applied.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MainForm/main_form_fixture.h"
#include "domlist/band_names.h"
#include "domlist/dom_list.h"
#include "ui/placement_text.h"
#include "ui/posix/headless_screen.h"

namespace qxqy::testing {
namespace {

// What the main window's layout gives at one density.
struct MainExpectation {
  int dpi;
  int client_width, client_height;
  int font_height, label_font_height;
  Rect label;  // before the first score line: the designed height, no width
  int panel_height;
  Rect recalc, district;
  int col_width, row_height;
  Rect last_cell;  // column 4, row 7
};

const MainExpectation kMainCases[] = {
    {96,
     328,
     193,
     11,
     13,
     {8, 0, 8, 13},
     44,
     {121, 18, 223, 43},
     {224, 18, 326, 43},
     64,
     17,
     {260, 126, 324, 143}},
    {120,
     410,
     241,
     14,
     16,
     {10, 0, 10, 16},
     55,
     {151, 23, 279, 54},
     {280, 23, 408, 54},
     80,
     21,
     {324, 154, 404, 175}},
    {144,
     492,
     290,
     17,
     20,
     {12, 0, 12, 20},
     66,
     {182, 27, 335, 65},
     {336, 27, 489, 65},
     96,
     26,
     {388, 189, 484, 215}},
};

// What the multiplier window's layout gives at one density.
struct DomListExpectation {
  int dpi;
  int window_width, window_height;  // the designed window size, scaled
  int client_width;
  int font_height;
  int bar_height, strip_height;
  int button_width, button_height, last_button_width;
};

const DomListExpectation kDomListCases[] = {
    {96, 339, 182, 327, 11, 18, 3, 36, 17, 35},
    {120, 424, 228, 409, 14, 23, 4, 45, 22, 44},
    {144, 509, 273, 491, 17, 27, 5, 54, 25, 53},
};

class WindowDpiTest : public MainFormTest {
 protected:
  TfmDomList& OpenDomList(TfmMainForm& form) {
    form.btnOBL1.Click();
    return *dom_ref_;
  }
};

TEST_F(WindowDpiTest, MainWindowScalesEveryDesignedMetric) {
  for (const MainExpectation& c : kMainCases) {
    SCOPED_TRACE("at " + std::to_string(c.dpi) + " dpi");
    posix::ScopedScreenPixelsPerInch screen(c.dpi);
    TfmMainForm& form = *Create(HostDefaults());

    EXPECT_EQ(form.PixelsPerInch(), c.dpi);
    EXPECT_EQ(form.ClientWidth(), c.client_width);
    EXPECT_EQ(form.ClientHeight(), c.client_height);
    EXPECT_EQ(form.GetFont().height, c.font_height);
    EXPECT_EQ(form.GetFont().name, "MS Sans Serif");
    EXPECT_EQ(form.StringGrid1.GetFont().height, c.font_height) << "the grid takes the window's";
    EXPECT_EQ(form.BitBtn1.GetFont().height, c.font_height);
    EXPECT_EQ(form.Label1.GetFont().height, c.label_font_height);
    EXPECT_EQ(form.Label1.GetFont().name, "Courier");
    EXPECT_EQ(form.Label1.BoundsRect(), c.label);

    EXPECT_EQ(form.Panel1.BoundsRect(),
              (Rect{0, c.client_height - c.panel_height, c.client_width, c.client_height}));
    EXPECT_EQ(form.BitBtn1.BoundsRect(), c.recalc);
    EXPECT_EQ(form.btnOBL1.BoundsRect(), c.district);

    const StringGrid& grid = form.StringGrid1;
    EXPECT_EQ(grid.BoundsRect(), (Rect{0, 0, c.client_width, c.client_height - c.panel_height}));
    EXPECT_EQ(grid.ColWidth(), c.col_width);
    EXPECT_EQ(grid.RowHeight(), c.row_height);
    EXPECT_EQ(grid.GridLineWidth(), 1) << "grid lines stay one pixel wide";
    EXPECT_EQ(grid.CellRect(4, 7), c.last_cell);
    EXPECT_LE(c.last_cell.right, grid.Width()) << "the table fits: no scroll bars";
    EXPECT_LE(c.last_cell.bottom, grid.Height()) << "the table fits: no scroll bars";

    form.Show();
    EXPECT_EQ(form.Label1.Height(), c.label_font_height) << "the score line in its scaled font";
    form.Release();
    App().ProcessMessages();
  }
}

TEST_F(WindowDpiTest, MultiplierWindowScalesItsLayoutAndItsBandBar) {
  for (const DomListExpectation& c : kDomListCases) {
    SCOPED_TRACE("at " + std::to_string(c.dpi) + " dpi");
    posix::ScopedScreenPixelsPerInch screen(c.dpi);
    TfmDomList& window = OpenDomList(*Open(HostDefaults()));

    EXPECT_EQ(window.PixelsPerInch(), c.dpi);
    EXPECT_EQ(window.ClientWidth(), c.client_width);
    EXPECT_EQ(window.Height(), c.window_height);
    EXPECT_EQ(window.GetFont().height, c.font_height);
    EXPECT_EQ(window.LV1.GetFont().height, c.font_height);
    EXPECT_EQ(window.LV1.GetFont().charset, kCyrillicCharset);
    EXPECT_EQ(window.Panel2.BoundsRect(), (Rect{0, 0, c.client_width, c.bar_height}));
    EXPECT_EQ(window.spl1.Height(), c.strip_height);
    EXPECT_EQ(window.LV1.BoundsRect(),
              (Rect{0, c.bar_height, c.client_width, window.ClientHeight() - c.strip_height}));

    // The bar's own layout: equal buttons in the bar's order, "10" last and
    // ending a scaled gap before the bar's right edge.
    const std::vector<int> order = {1, 2, 3, 5, 6, 7, 8, 9, 4};
    for (size_t k = 0; k < order.size(); ++k) {
      const bool last = k + 1 == order.size();
      const int left = static_cast<int>(k) * c.button_width;
      EXPECT_EQ(
          window.BandButton(order[k]).BoundsRect(),
          RectFromBounds(left, 0, last ? c.last_button_width : c.button_width, c.button_height))
          << "band " << BandNames[order[k]];
    }
    EXPECT_EQ(window.BandButton(4).BoundsRect().right, c.client_width - DpiScale(c.dpi)(4));
    main_ref_->Release();
    App().ProcessMessages();
  }
}

TEST_F(WindowDpiTest, FirstScreenPositionsAreTheSameAtEveryDensity) {
  for (const int dpi : {96, 120, 144}) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
    posix::ScopedScreenPixelsPerInch screen(dpi);
    TfmMainForm& form = *Open(HostDefaults());
    TfmDomList& window = OpenDomList(form);
    EXPECT_EQ(form.Left(), 1009);
    EXPECT_EQ(form.Top(), 201);
    EXPECT_EQ(window.Left(), 1020);
    EXPECT_EQ(window.Top(), 164);
    form.Release();
    App().ProcessMessages();
  }
}

// Each window's store records the density its window was laid out for and
// applies a saved rectangle only at that density.
TEST_F(WindowDpiTest, PlacementIsAppliedOnlyAtTheDensityItWasSavedAt) {
  const struct {
    const char* section;
    Rect saved;  // as the store holds it (work area = screen here)
  } windows[] = {
      {"TfmMainForm", {100, 50, 600, 400}},
      {"TfmDomList", {400, 500, 820, 760}},
  };
  const struct {
    int saved_dpi, screen_dpi;
    bool applied;
  } cases[] = {
      {96, 96, true},   {120, 120, true}, {144, 144, true},  {96, 120, false},
      {96, 144, false}, {120, 96, false}, {144, 120, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("saved at " + std::to_string(c.saved_dpi) + " dpi, screen at " +
                 std::to_string(c.screen_dpi));
    for (const auto& w : windows) {
      store_.Set(w.section, "PixelsPerInch", std::to_string(c.saved_dpi));
      store_.Set(w.section, "NormPos", FormatRect(w.saved));
    }
    posix::ScopedScreenPixelsPerInch screen(c.screen_dpi);
    TfmMainForm& form = *Open(HostDefaults());
    TfmDomList& window = OpenDomList(form);

    const Rect main_first = RectFromBounds(1009, 201, form.Width(), form.Height());
    EXPECT_EQ(form.BoundsRect(),
              c.applied ? RectFromBounds(100, 50, form.Width(), form.Height()) : main_first)
        << "the fixed main window takes only the position";
    EXPECT_EQ(window.Left(), c.applied ? 400 : 1020);
    if (c.applied) {
      EXPECT_EQ(window.BoundsRect(), windows[1].saved) << "a sizeable window takes the size too";
    }

    form.Close();  // saves both: the main window's close takes the other with it
    App().ProcessMessages();
    for (const auto& w : windows) {
      EXPECT_EQ(store_.Get(w.section, "PixelsPerInch"), std::to_string(c.screen_dpi))
          << w.section << ": the density the window was laid out for";
    }
  }
}

}  // namespace
}  // namespace qxqy::testing
