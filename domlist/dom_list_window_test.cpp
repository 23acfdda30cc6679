// The multiplier window's own designed properties, read from its objects:
// the frame (caption, border, icons, stay-on-top, class, first rectangle),
// the band bar and its nine grouped buttons, the district list's font and
// keyboard stop, and the bottom strip. The Windows peers only render these.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "domlist/band_names.h"
#include "domlist/dom_list.h"
#include "ui/testing/framework_fixture.h"

namespace qxqy {
namespace {

// A main window with a district table, no keys and no stored band.
class PlainMainWindow : public DistrictMarks, public DomListHost {
 public:
  const DistrictTable* GetDistrictTable() const override { return &table; }
  DistrictMark MarkOfDistrict(std::string_view, std::string_view) const override {
    return DistrictMark::kNothingRecorded;
  }
  std::string StoredCurrentBand() const override { return "0"; }
  void StoreCurrentBand(int) override {}
  void ForgetDomList(const TfmDomList&) override {}

  DistrictTable table;
};

class DomListWindowTest : public testing::FrameworkTest {
 protected:
  TfmDomList& Create(std::vector<std::string> table_lines = {}) {
    main_.table.Assign(std::move(table_lines));
    return *App().CreateForm<TfmDomList>(main_, main_);
  }

  PlainMainWindow main_;
};

TEST_F(DomListWindowTest, TheFrameIsASizeableAlwaysOnTopWindowWithoutAMaximiseBox) {
  TfmDomList& window = Create();
  EXPECT_EQ(window.Name(), "fmDomList");
  EXPECT_EQ(window.ClassName(), "TfmDomList");  // also the settings section
  EXPECT_EQ(window.Caption(), "Multipliers");
  EXPECT_EQ(window.GetBorderStyle(), BorderStyle::kSizeable);
  EXPECT_TRUE(window.HasSystemMenu());
  EXPECT_TRUE(window.HasMinimizeBox());
  EXPECT_FALSE(window.HasMaximizeBox());
  EXPECT_TRUE(window.StayOnTop());
  EXPECT_EQ(window.GetColor(), kColorButtonFace);
  EXPECT_EQ(window.GetFont(), testing::DesignedWindowFont());
  EXPECT_FALSE(window.Visible());
}

// The window's store restores its position only, never a saved window state:
// the maximise box aside, a maximised multiplier window is not brought back.
TEST_F(DomListWindowTest, ItsStoreKeepsThePositionOnly) {
  TfmDomList& window = Create();
  EXPECT_TRUE(window.FormStorage1.PositionOnly());
}

TEST_F(DomListWindowTest, TheFirstRectangleIsTheDesignedOneWithAClientAreaOf327Wide) {
  TfmDomList& window = Create();
  // The layout fixes the client width; the frame around it is the
  // platform's (the designed 339 wide holds for a 6-pixel frame).
  EXPECT_EQ(window.Left(), 1020);
  EXPECT_EQ(window.Top(), 164);
  EXPECT_EQ(window.Height(), 182);
  EXPECT_EQ(window.ClientWidth(), 327);
}

TEST_F(DomListWindowTest, TheBarTheListAndTheStripHaveTheirDesignedPlacesFontsAndStops) {
  TfmDomList& window = Create();
  Font list_font = testing::DesignedWindowFont();
  list_font.charset = kCyrillicCharset;
  struct Expected {
    const Control* widget;
    int height;
    Font font;
    bool tab_stop;
  };
  const Expected widgets[] = {
      {&window.Panel2, 18, testing::DesignedWindowFont(), false},
      {&window.LV1, window.ClientHeight() - 18 - 3, list_font, false},
      {&window.spl1, 3, testing::DesignedWindowFont(), false},
  };
  for (const Expected& e : widgets) {
    SCOPED_TRACE(e.widget->Name());
    EXPECT_EQ(e.widget->Parent(), &window);
    EXPECT_EQ(e.widget->Left(), 0);
    EXPECT_EQ(e.widget->Width(), 327);
    EXPECT_EQ(e.widget->Height(), e.height);
    EXPECT_EQ(e.widget->GetFont(), e.font);
    EXPECT_TRUE(e.widget->Enabled());
    EXPECT_EQ(e.widget->TabStop(), e.tab_stop);
  }
  EXPECT_EQ(window.Panel2.GetColor(),
            window.GetColor());  // the bar is flat, in the window's colour
  // Without any district multiplier an item is drawn in the list's own
  // font: the window-text colour, regular.
  EXPECT_EQ(window.LV1.GetFont().color, kColorWindowText);
  EXPECT_FALSE(window.LV1.GetFont().bold);
}

TEST_F(DomListWindowTest, TheNineBandButtonsAreOneGroupInTheBarCaptionedAndTaggedByBand) {
  TfmDomList& window = Create();
  std::vector<Control*> bar_children;
  for (const int band : {1, 2, 3, 5, 6, 7, 8, 9, 4})
    bar_children.push_back(&window.BandButton(band));
  // The bar holds the buttons alone, in the layout's creation order.
  EXPECT_EQ(window.Panel2.Children(), bar_children);
  for (int band = kFirstBand; band <= kLastBand; ++band) {
    const ToggleButton& button = window.BandButton(band);
    SCOPED_TRACE(button.Name());
    EXPECT_EQ(button.Name(), "RzBitBtn" + IntToText(band));
    EXPECT_EQ(button.Caption(), BandNames[band]);
    EXPECT_EQ(button.Tag(), band);
    EXPECT_FALSE(button.TabStop());
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.GetFont(), testing::DesignedWindowFont());
    EXPECT_EQ(button.Down(), band == 4);  // "10" is down when the window is created
  }
  // One group: each press leaves exactly the pressed button down.
  for (int band = kFirstBand; band <= kLastBand; ++band) {
    window.BandButton(band).Click();
    for (int other = kFirstBand; other <= kLastBand; ++other) {
      EXPECT_EQ(window.BandButton(other).Down(), other == band)
          << "after pressing " << band << ", button " << other;
    }
  }
}

// The bar's resize handler counts the band buttons among the bar's
// children; with none left it leaves the bar's other children alone.
TEST_F(DomListWindowTest, ABarWithoutBandButtonsIsLeftAsItIs) {
  TfmDomList& window = Create();
  window.RzBitBtn1.reset();
  window.RzBitBtn2.reset();
  window.RzBitBtn3.reset();
  window.RzBitBtn4.reset();
  window.RzBitBtn5.reset();
  window.RzBitBtn6.reset();
  window.RzBitBtn7.reset();
  window.RzBitBtn8.reset();
  window.RzBitBtn9.reset();
  auto* other = window.Create<Panel>("other", &window.Panel2);
  other->SetBounds(5, 6, 7, 8);
  window.SetClientSize(400, 200);
  EXPECT_EQ(window.Panel2.Width(), 400);
  EXPECT_EQ(other->BoundsRect(), RectFromBounds(5, 6, 7, 8));
  EXPECT_TRUE(ErrorBoxLog().empty());
}

// The four characters after the first "=" lose the codes 0 to 32 at both
// ends; "!" (33) and the bytes 128 to 255 stay.
TEST_F(DomListWindowTest, ACaptionIsTrimmedOfCodesUpToTheBlankAtBothEnds) {
  for (int code = 0; code <= 255; ++code) {
    const char c = static_cast<char>(code);
    SCOPED_TRACE("code " + IntToText(code));
    TfmDomList& window = Create({std::string("ABC=") + c + "AB" + c + "CDE"});
    ASSERT_EQ(window.LV1.Count(), 1);
    EXPECT_EQ(window.LV1.Caption(0), code <= 32 ? std::string("AB") : std::string() + c + "AB" + c);
    Component::Destroy(&window);
  }
}

}  // namespace
}  // namespace qxqy
