// The multiplier window with the real main window: opening it from
// "District", following the band of remembered contacts and of a rebuild,
// the stored band, and going with the main window without ever reading the
// lists the main window has released.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "MainForm/main_form_fixture.h"
#include "domlist/band_names.h"
#include "domlist/dom_list.h"
#include "framework/text.h"

namespace qxqy::testing {
namespace {

class DomListWithMainFormTest : public MainFormTest {
 protected:
  // Opens the main window (which rebuilds from the log) and then the
  // multiplier window through "District".
  TfmDomList& OpenBoth(const HostRecord& record) {
    main_form_ = Open(record);
    main_form_->btnOBL1.Click();
    EXPECT_FALSE(dom_ref_.empty());
    return *dom_ref_;
  }

  // What the host's _AddQSO does with the main window.
  int32_t AddQso(const HostRecord& record) {
    CopyHostRecord(current_, &record);
    const int32_t result = main_form_->ScoreQso(/*commit=*/true);
    main_form_->ShowStatistics();
    return result;
  }

  std::string StoredBand() const { return main_form_->FormStorage1.StoredValue("CurrentBand"); }

  // The band text of every repaint of the list from now on.
  std::vector<std::string>& RecordRepaints(TfmDomList& window) {
    auto draw = window.LV1.OnCustomDrawItem;
    window.LV1.OnCustomDrawItem = [this, &window, draw](ListView& list, int index, Font& font) {
      draw(list, index, font);
      if (index == 0) repainted_bands_.push_back(window.CurrentBandText);
    };
    return repainted_bands_;
  }

  static bool DrawnWorked(TfmDomList& window, const std::string& caption) {
    const auto& captions = window.LV1.Captions();
    const auto it = std::find(captions.begin(), captions.end(), caption);
    if (it == captions.end()) ADD_FAILURE() << "no item " << caption;
    return window.LV1.DrawItemFont(static_cast<int>(it - captions.begin())).bold;
  }

  TfmMainForm* main_form_ = nullptr;
  std::vector<std::string> repainted_bands_;
};

using Bands = std::vector<std::string>;

TEST_F(DomListWithMainFormTest, DistrictOpensOneWindowOwnedByTheMainWindow) {
  WriteDistrictTable("ABC=ABC\r\nDEF=DEF\r\n");
  TfmDomList& window = OpenBoth(HostDefaults());
  EXPECT_EQ(window.Owner(), main_form_);
  EXPECT_TRUE(window.Visible());
  EXPECT_EQ(window.LV1.Captions(), (Bands{"ABC", "DEF"}));

  window.Minimize();
  main_form_->btnOBL1.Click();
  EXPECT_EQ(dom_ref_.get(), &window);
  EXPECT_TRUE(window.Minimized());
  int windows = 0;
  for (Component* component : main_form_->Components()) {
    if (dynamic_cast<TfmDomList*>(component) != nullptr) ++windows;
  }
  EXPECT_EQ(windows, 1);
}

TEST_F(DomListWithMainFormTest, OpensOnTheBandSavedInTheMainWindowsSettings) {
  store_.Set("TfmMainForm", "CurrentBand", "6");
  TfmDomList& window = OpenBoth(HostDefaults());
  EXPECT_EQ(window.CurrentBandText, "18");
  EXPECT_TRUE(window.RzBitBtn6->Down());
}

TEST_F(DomListWithMainFormTest, FollowsTheBandOfEveryRememberedContact) {
  WriteDistrictTable("ABC=ABC\r\nDEF=DEF\r\n");
  TfmDomList& window = OpenBoth(HostDefaults().Band("21"));
  struct Step {
    const char* what;
    HostRecord record;
    std::string band_text;
  };
  const Step steps[] = {
      {"new contact", HostDefaults().Contact("QX1AA", "14", "CW", "599 ABC"), "14"},
      {"another band", HostDefaults().Contact("QX1BB", "7", "CW", "599 DEF"), "7"},
      {"duplicate on 14", HostDefaults().Contact("QX1AA", "14", "CW", "599 ABC"), "7"},
      {"blanks around the band", HostDefaults().Contact("QX1CC", " 21 ", "CW", "599 DEF"), "21"},
      {"not one of the nine", HostDefaults().Contact("QX1DD", "160", "CW", "599 ABC"), "21"},
      {"empty band", HostDefaults().Contact("QX1EE", "", "CW", "599 ABC"), "21"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    AddQso(step.record);
    EXPECT_EQ(window.CurrentBandText, step.band_text);
    EXPECT_EQ(StoredBand(), IntToText(BandNumberOfLabel(step.band_text)));
  }
  // The " 21 " contact's key keeps the blanks, so DEF is not red on 21.
  EXPECT_FALSE(DrawnWorked(window, "DEF"));
  window.SelectBand(5);
  EXPECT_TRUE(DrawnWorked(window, "ABC"));
  EXPECT_FALSE(DrawnWorked(window, "DEF"));

  // A preview scores without remembering and moves nothing.
  CopyHostRecord(current_, &HostDefaults().Contact("QX1FF", "28", "CW").Get());
  main_form_->ScoreQso(/*commit=*/false);
  EXPECT_EQ(window.CurrentBandText, "14");
}

TEST_F(DomListWithMainFormTest, ARebuildSelectsTheRecordsBandThenFollowsTheReplayedRows) {
  WriteDistrictTable("ABC=ABC\r\n");
  AddLogRow("599 ABC", "QX1AA", "14", "CW", "QX1");
  AddLogRow("599 ABC", "QX1BB", " 7 ", "CW", "QX1");
  AddLogRow("599 ABC", "QX1BB", " 7 ", "CW", "QX1");  // duplicate
  AddLogRow("599 ABC", "QX1CC", "160", "CW", "QX1");  // not one of the nine
  AddLogRow("599 ABC", "QX1DD", "21", "SSB", "QX1");
  AddLogRow("599 ABC", "QX1AA", "14", "CW", "QX1");  // duplicate on another band
  TfmDomList& window = OpenBoth(HostDefaults().Band("28"));
  // Paints still pending from opening the windows (on Windows) come first.
  App().ProcessMessages();
  std::vector<std::string>& repaints = RecordRepaints(window);

  main_form_->BitBtn1.Click();
  EXPECT_EQ(repaints, (Bands{"28", "14", "7", "21"}));
  EXPECT_TRUE(window.RzBitBtn7->Down());
  EXPECT_EQ(StoredBand(), "7");
  EXPECT_TRUE(DrawnWorked(window, "ABC"));
}

TEST_F(DomListWithMainFormTest, ARebuildShowsTheRecordsBandWithNothingWorkedFirst) {
  WriteDistrictTable("ABC=ABC\r\n");
  TfmDomList& window = OpenBoth(HostDefaults().Band("14"));
  AddQso(HostDefaults().Contact("QX1AA", "14", "CW", "599 ABC"));
  ASSERT_TRUE(DrawnWorked(window, "ABC"));
  std::vector<bool> worked_at_repaint;
  window.LV1.OnCustomDrawItem = [&, draw = window.LV1.OnCustomDrawItem](ListView& list, int i,
                                                                        Font& font) {
    draw(list, i, font);
    worked_at_repaint.push_back(font.bold);
  };
  main_form_->BitBtn1.Click();  // the log has no rows
  EXPECT_EQ(worked_at_repaint, std::vector<bool>{false});
  EXPECT_EQ(window.CurrentBandText, "14");
}

TEST_F(DomListWithMainFormTest, ClosingTheWindowEmptiesTheReferenceAndDistrictOpensANewOne) {
  TfmDomList& window = OpenBoth(HostDefaults());
  ComponentRef<TfmDomList> old(&window);
  window.Close();
  EXPECT_TRUE(dom_ref_.empty());
  App().ProcessMessages();
  EXPECT_TRUE(old.empty());
  main_form_->btnOBL1.Click();
  EXPECT_FALSE(dom_ref_.empty());
}

TEST_F(DomListWithMainFormTest, GoesWithTheMainWindowAndSavesItsPosition) {
  OpenBoth(HostDefaults());
  main_form_->Release();
  main_ref_.reset();
  App().ProcessMessages();
  EXPECT_TRUE(dom_ref_.empty());
  EXPECT_TRUE(store_.Has("TfmDomList", "NormPos"));
}

// Between the main window's close query (which releases the lists) and the
// destruction of both windows, the multiplier window still paints and its
// buttons still work, but it reads no list and stores no band.
TEST_F(DomListWithMainFormTest, AfterTheMainWindowClosedPaintsFromNoListAndStoresNothing) {
  WriteDistrictTable("ABC=ABC\r\n");
  TfmDomList& window = OpenBoth(HostDefaults().Band("14"));
  AddQso(HostDefaults().Contact("QX1AA", "14", "CW", "599 ABC"));
  ASSERT_TRUE(DrawnWorked(window, "ABC"));

  main_form_->Close();
  ASSERT_TRUE(main_ref_.empty());
  ASSERT_FALSE(dom_ref_.empty());
  const std::optional<std::string> saved = store_.Get("TfmMainForm", "CurrentBand");
  EXPECT_EQ(saved, "5");

  window.RzBitBtn2->Click();
  EXPECT_EQ(window.CurrentBandText, "3.5");
  EXPECT_EQ(window.LV1.DrawItemFont(0), window.LV1.GetFont());
  EXPECT_EQ(StoredBand(), "5");

  App().ProcessMessages();
  EXPECT_TRUE(dom_ref_.empty());
  EXPECT_EQ(store_.Get("TfmMainForm", "CurrentBand"), saved);
  EXPECT_TRUE(ErrorBoxLog().empty());
}

}  // namespace
}  // namespace qxqy::testing
