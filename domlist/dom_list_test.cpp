// The multiplier window on its own, fed by a fake main window: the district
// list, the item colours, band selection, the band bar's layout, the stored
// band at show time and closing.
#include "domlist/dom_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/text.h"
#include "domlist/band_names.h"
#include "ui/component_ref.h"
#include "ui/error_box.h"
#include "ui/testing/framework_fixture.h"

namespace qxqy {
namespace {

// Plays the main window: owns the lists, the stored band and the module's
// reference to the multiplier window.
class FakeMainWindow : public DistrictMarks, public DomListHost {
 public:
  const DistrictTable* GetDistrictTable() const override {
    return released ? nullptr : &district_table;
  }
  DistrictMark MarkOfDistrict(std::string_view band_label,
                              std::string_view district) const override {
    ++key_list_reads;
    return qxqy::MarkOfDistrict(released ? nullptr : &district_mults, band_label, district);
  }
  std::string StoredCurrentBand() const override { return current_band; }
  void StoreCurrentBand(int band) override {
    current_band = IntToText(band);
    stored_bands.push_back(band);
  }
  void ForgetDomList(const TfmDomList& window) override {
    if (reference.get() == &window) reference.reset();
  }

  DistrictTable district_table;
  MultiplierKeyList district_mults{MultiplierKeyList::SubstringIndex::kBarEnded};
  bool released = false;
  std::string current_band = "0";
  std::vector<int> stored_bands;
  ComponentRef<TfmDomList> reference;
  mutable int key_list_reads = 0;
};

enum class ItemLook { kListFont, kWorked, kNotWorked };

const char* LookName(ItemLook look) {
  switch (look) {
    case ItemLook::kListFont:
      return "list font";
    case ItemLook::kWorked:
      return "red bold";
    case ItemLook::kNotWorked:
      return "black regular";
  }
  return "?";
}

class DomListTest : public testing::FrameworkTest {
 protected:
  TfmDomList& Create(std::vector<std::string> table_lines) {
    main_.district_table.Assign(std::move(table_lines));
    TfmDomList* window = App().CreateForm<TfmDomList>(main_, main_);
    main_.reference = window;
    return *window;
  }

  void SetKeys(const std::vector<std::string>& keys) {
    main_.district_mults.Clear();
    for (const std::string& key : keys) main_.district_mults.AddIfAbsent(key);
  }

  static ItemLook LookOf(TfmDomList& window, const std::string& caption) {
    const auto& captions = window.LV1.Captions();
    const auto it = std::find(captions.begin(), captions.end(), caption);
    if (it == captions.end()) ADD_FAILURE() << "no item " << caption;
    const Font font = window.LV1.DrawItemFont(static_cast<int>(it - captions.begin()));
    Font list_font = window.LV1.GetFont();
    if (font == list_font) return ItemLook::kListFont;
    list_font.color = Rgb(255, 0, 0);
    list_font.bold = true;
    if (font == list_font) return ItemLook::kWorked;
    list_font.color = Rgb(0, 0, 0);
    list_font.bold = false;
    if (font == list_font) return ItemLook::kNotWorked;
    ADD_FAILURE() << caption << " drawn in an unexpected font";
    return ItemLook::kListFont;
  }

  static std::vector<std::string> ButtonCaptionsLeftToRight(const TfmDomList& window) {
    std::vector<const ToggleButton*> buttons;
    for (int band = kFirstBand; band <= kLastBand; ++band)
      buttons.push_back(&window.BandButton(band));
    std::sort(buttons.begin(), buttons.end(),
              [](const ToggleButton* a, const ToggleButton* b) { return a->Left() < b->Left(); });
    std::vector<std::string> captions;
    for (const ToggleButton* button : buttons) captions.push_back(button->Caption());
    return captions;
  }

  static int DownBand(const TfmDomList& window) {
    int down = 0;
    for (int band = kFirstBand; band <= kLastBand; ++band) {
      if (window.BandButton(band).Down()) {
        EXPECT_EQ(down, 0) << "two buttons down";
        down = band;
      }
    }
    return down;
  }

  FakeMainWindow main_;
};

using Captions = std::vector<std::string>;

TEST_F(DomListTest, ListsTheTableValuesCutToFourCharactersTrimmedAndSorted) {
  TfmDomList& window = Create({"ZZZ=ZZZ", "no equals sign", "LONG=ABCDEFG", "PAD= \tQR ", "TWO=X=Y",
                               "=BCD", "EMPTY=", "AAA=AAA"});
  EXPECT_EQ(window.LV1.Captions(), (Captions{"", "AAA", "ABCD", "BCD", "QR", "X=Y", "ZZZ"}));
}

TEST_F(DomListTest, AReleasedTableGivesAnEmptyListAndWorkingButtons) {
  main_.released = true;
  TfmDomList& window = Create({"ABC=ABC"});
  EXPECT_EQ(window.LV1.Count(), 0);
  window.RzBitBtn7->Click();
  EXPECT_EQ(window.CurrentBandText, "21");
}

TEST_F(DomListTest, StartsWithButtonTenDownAndNoBandText) {
  TfmDomList& window = Create({});
  EXPECT_EQ(DownBand(window), 4);
  EXPECT_EQ(window.CurrentBandText, "");
  for (int band = kFirstBand; band <= kLastBand; ++band) {
    const ToggleButton& button = window.BandButton(band);
    EXPECT_EQ(button.Name(), "RzBitBtn" + IntToText(band));
    EXPECT_EQ(button.Caption(), BandNames[band]);
    EXPECT_EQ(button.Tag(), band);
    EXPECT_FALSE(button.TabStop());
  }
}

TEST_F(DomListTest, ItemColoursFollowTheKeysOfTheSelectedBand) {
  struct Case {
    int band;
    std::vector<std::string> keys;
    std::string caption;
    ItemLook look;
  };
  const Case cases[] = {
      {5, {}, "ABC", ItemLook::kListFont},  // nothing recorded at all
      {5, {"14|ABC|"}, "ABC", ItemLook::kWorked},
      {5, {"7|DEF|", "14|ABC|"}, "ABC", ItemLook::kWorked},  // found after a miss
      {5, {"14|XAB|"}, "AB", ItemLook::kNotWorked},          // part of a longer code
      {5, {"14|ABCD|"}, "ABC", ItemLook::kNotWorked},
      {5, {"21|ABC|"}, "ABC", ItemLook::kNotWorked},  // worked on another band only
      {1, {"18|ABC|"}, "ABC", ItemLook::kNotWorked},  // "1.8" is not "18"
      {6, {"1.8|ABC|"}, "ABC", ItemLook::kNotWorked},
      {5, {" 14 |ABC|"}, "ABC", ItemLook::kNotWorked},  // host band with blanks
      {5, {"14|abc|"}, "ABC", ItemLook::kNotWorked},    // the search is case-sensitive
      {1, {"1.8|ABC|", "18|AB|"}, "AB", ItemLook::kNotWorked},
  };
  TfmDomList& window = Create({"1=ABC", "2=AB"});
  for (const Case& c : cases) {
    SetKeys(c.keys);
    window.SelectBand(c.band);
    SCOPED_TRACE("band " + IntToText(c.band) + ", item " + c.caption + ", keys " +
                 ::testing::PrintToString(c.keys));
    EXPECT_STREQ(LookName(LookOf(window, c.caption)), LookName(c.look));
  }
}

TEST_F(DomListTest, WithoutABandTextAnyBandsKeyMarksTheDistrict) {
  TfmDomList& window = Create({"1=ABC", "2=AB", "3=XYZ"});
  SetKeys({"21|ABC|", "3.5|XAB|"});
  EXPECT_EQ(LookOf(window, "ABC"), ItemLook::kWorked);
  EXPECT_EQ(LookOf(window, "AB"), ItemLook::kNotWorked);
  EXPECT_EQ(LookOf(window, "XYZ"), ItemLook::kNotWorked);
}

// The window asks the key list's index; its answers must be those of going
// through the keys in order, for every band and item.
TEST_F(DomListTest, ItemColoursAgreeWithAScanOfTheKeysInOrder) {
  TfmDomList& window = Create({"1=AB", "2=ABC", "3=XAB", "4=B", "5=ABCDEF", "6=|", "7=C|D"});
  SetKeys({"14|ABC|", " 14 |AB|", "1.8|XAB|", "18|B|", "|ABCD|", "28|C|D|", "7||||", "24|AB"});
  for (int band = kFirstBand; band <= kLastBand; ++band) {
    window.SelectBand(band);
    for (const std::string& caption : window.LV1.Captions()) {
      const std::string search = std::string(BandNames[band]) + "|" + caption + "|";
      ItemLook expected = ItemLook::kNotWorked;
      for (const std::string& key : main_.district_mults.Keys()) {
        if (key.find(search) != std::string::npos) expected = ItemLook::kWorked;
      }
      SCOPED_TRACE("search " + search);
      EXPECT_STREQ(LookName(LookOf(window, caption)), LookName(expected));
    }
  }
}

TEST_F(DomListTest, SelectingABandPushesItsButtonSetsItsLabelRepaintsAndStores) {
  TfmDomList& window = Create({"1=ABC"});
  window.Show();
  for (int band = kFirstBand; band <= kLastBand; ++band) {
    SCOPED_TRACE("band " + IntToText(band));
    const int repaints = window.LV1.RepaintRequests();
    const int reads = main_.key_list_reads;
    window.SelectBand(band);
    EXPECT_EQ(DownBand(window), band);
    EXPECT_EQ(window.CurrentBandText, BandNames[band]);
    EXPECT_EQ(window.LV1.RepaintRequests(), repaints + 1);
    EXPECT_GT(main_.key_list_reads, reads);  // painted at once, not later
    EXPECT_EQ(main_.current_band, IntToText(band));
  }
}

TEST_F(DomListTest, ABandOutsideTheNineChangesNoButtonNorTextButIsStillStored) {
  TfmDomList& window = Create({});
  window.SelectBand(3);
  for (const int band : {0, 10, -1}) {
    SCOPED_TRACE("band " + IntToText(band));
    const int repaints = window.LV1.RepaintRequests();
    window.SelectBand(band);
    EXPECT_EQ(DownBand(window), 3);
    EXPECT_EQ(window.CurrentBandText, "7");
    EXPECT_EQ(window.LV1.RepaintRequests(), repaints + 1);
    EXPECT_EQ(main_.current_band, IntToText(band));
  }
}

TEST_F(DomListTest, ClickingEachBandButtonSelectsRepaintsAndStoresItsBand) {
  TfmDomList& window = Create({"1=ALB", "2=BEX"});
  SetKeys({"1.8|ALB|", "3.5|BEX|", "7|ALB|", "10|BEX|", "14|ALB|", "18|BEX|", "21|ALB|", "24|BEX|",
           "28|ALB|"});
  window.Show();
  for (int band = kFirstBand; band <= kLastBand; ++band) {
    SCOPED_TRACE("button " + IntToText(band));
    const int repaints = window.LV1.RepaintRequests();
    window.BandButton(band).Click();
    EXPECT_EQ(DownBand(window), band);
    EXPECT_EQ(window.CurrentBandText, BandNames[band]);
    EXPECT_EQ(window.LV1.RepaintRequests(), repaints + 1);
    const bool alb_worked = band % 2 == 1;
    EXPECT_STREQ(LookName(LookOf(window, "ALB")),
                 LookName(alb_worked ? ItemLook::kWorked : ItemLook::kNotWorked));
    EXPECT_STREQ(LookName(LookOf(window, "BEX")),
                 LookName(alb_worked ? ItemLook::kNotWorked : ItemLook::kWorked));
    ASSERT_FALSE(main_.stored_bands.empty());
    EXPECT_EQ(main_.stored_bands.back(), band);
  }
}

TEST_F(DomListTest, ClickingAButtonSelectsItsBandAgainAndAgain) {
  TfmDomList& window = Create({});
  window.RzBitBtn2->Click();
  window.RzBitBtn2->Click();
  EXPECT_EQ(DownBand(window), 2);
  EXPECT_EQ(window.CurrentBandText, "3.5");
  EXPECT_EQ(main_.stored_bands, (std::vector<int>{2, 2}));
}

TEST_F(DomListTest, TheBandBarPutsTenLastAndFillsTheWidth) {
  TfmDomList& window = Create({});
  ASSERT_EQ(window.Panel2.Width(), 327);
  const Captions order{"1.8", "3.5", "7", "14", "18", "21", "24", "28", "10"};
  EXPECT_EQ(ButtonCaptionsLeftToRight(window), order);
  for (int k = 0; k < 9; ++k) {
    const ToggleButton& button = window.BandButton(BandNumberOfLabel(order[k]));
    SCOPED_TRACE("button " + order[k]);
    EXPECT_EQ(button.BoundsRect(), RectFromBounds(36 * k, 0, k < 8 ? 36 : 35, 17));
  }

  struct Case {
    int bar_width;
    int width;
    int last_width;
  };
  // At 2 pixels every button is 0 wide and the last one would be -2: the
  // handler goes on without an error.
  for (const Case& c : {Case{350, 38, 42}, Case{20, 2, 0}, Case{2, 0, -2}}) {
    SCOPED_TRACE("bar width " + IntToText(c.bar_width));
    window.SetClientSize(c.bar_width, window.ClientHeight());
    if (c.width > 0) {
      EXPECT_EQ(ButtonCaptionsLeftToRight(window), order);
    }
    EXPECT_EQ(window.RzBitBtn9->BoundsRect(), RectFromBounds(7 * c.width, 0, c.width, 17));
    EXPECT_EQ(window.RzBitBtn4->Left(), 8 * c.width);
    EXPECT_EQ(window.RzBitBtn4->Width(), c.last_width);
  }
  EXPECT_TRUE(ErrorBoxLog().empty());
}

TEST_F(DomListTest, TheListFillsTheClientAreaBetweenTheBandBarAndTheBottomStrip) {
  TfmDomList& window = Create({});
  struct Case {
    int width;
    int height;
  };
  // The last size leaves the list no room: it is 0 high under the bar.
  for (const Case& c : {Case{327, window.ClientHeight()}, Case{400, 200}, Case{327, 10}}) {
    SCOPED_TRACE("client " + IntToText(c.width) + "x" + IntToText(c.height));
    window.SetClientSize(c.width, c.height);
    EXPECT_EQ(window.Panel2.BoundsRect(), (Rect{0, 0, c.width, 18}));
    EXPECT_EQ(window.spl1.BoundsRect(), (Rect{0, c.height - 3, c.width, c.height}));
    EXPECT_EQ(window.LV1.BoundsRect(), (Rect{0, 18, c.width, std::max(18, c.height - 3)}));
  }
}

TEST_F(DomListTest, ShowingSelectsTheMainWindowsStoredBand) {
  struct Case {
    std::string stored;
    int down;
    std::string text;
    int stored_as;
  };
  const Case cases[] = {
      {"5", 5, "14", 5}, {" 7 ", 7, "21", 7}, {"0", 4, "", 0}, {"12", 4, "", 12},
      {"abc", 4, "", 0}, {"5x", 4, "", 0},    {"", 4, "", 0},  {"99999999999", 4, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("stored \"" + c.stored + "\"");
    main_.current_band = c.stored;
    TfmDomList& window = Create({});
    window.Show();
    EXPECT_EQ(DownBand(window), c.down);
    EXPECT_EQ(window.CurrentBandText, c.text);
    EXPECT_EQ(main_.current_band, IntToText(c.stored_as));
    Component::Destroy(&window);
  }
  EXPECT_TRUE(ErrorBoxLog().empty());
}

TEST_F(DomListTest, ShowingRestoresOnlyTheSavedPositionFromItsOwnSection) {
  store_.Set("TfmDomList", "PixelsPerInch", "96");
  store_.Set("TfmDomList", "NormPos", "100,50,500,300");
  store_.Set("TfmDomList", "ShowCmd", "3");
  TfmDomList& window = Create({});
  // The frame's thickness is the platform's: the layout fixes the client width.
  EXPECT_EQ(window.Left(), 1020);
  EXPECT_EQ(window.Top(), 164);
  EXPECT_EQ(window.ClientWidth(), 327);
  window.Show();
  EXPECT_EQ(window.BoundsRect(), (Rect{100, 50, 500, 300}));
  EXPECT_EQ(window.GetWindowState(), WindowState::kNormal);
}

TEST_F(DomListTest, ClosingEmptiesTheReferenceAtOnceAndDestroysTheWindowLater) {
  TfmDomList& window = Create({});
  window.Show();
  ComponentRef<TfmDomList> alive(&window);
  window.Close();
  EXPECT_TRUE(main_.reference.empty());
  EXPECT_FALSE(alive.empty());
  App().ProcessMessages();
  EXPECT_TRUE(alive.empty());
  EXPECT_TRUE(store_.Has("TfmDomList", "NormPos"));
}

TEST_F(DomListTest, ReleasedListsAreNeverRead) {
  TfmDomList& window = Create({"1=ABC"});
  SetKeys({"14|ABC|"});
  window.Show();
  main_.released = true;
  window.SelectBand(5);
  EXPECT_EQ(LookOf(window, "ABC"), ItemLook::kListFont);
}

}  // namespace
}  // namespace qxqy
