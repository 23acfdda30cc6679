#include <gtest/gtest.h>

#include "MainForm/main_form_fixture.h"
#include "base/error.h"
#include "ui/recording_canvas.h"

namespace qxqy::testing {
namespace {

using Cells = std::vector<std::string>;

TEST_F(MainFormTest, ConstructionNamesTheLogFirstAndCopiesTheRecord) {
  TfmMainForm* form = Create(HostDefaults().LogCaption("Field Day").Connection(77).Call("QX1AB"));
  EXPECT_EQ(form->Caption(), "Field Day in QX-QY DX Contest");
  EXPECT_EQ(ReadShortText(current_.Call), "QX1AB");
  EXPECT_EQ(bound_connection_, 77u);
  // Nothing is computed before the window is shown.
  EXPECT_TRUE(query_->OpenedTexts().empty());
}

TEST_F(MainFormTest, AnEmptyLogCaptionLeavesTheTitleStartingWithABlank) {
  TfmMainForm* form = Create(HostDefaults().LogCaption(""));
  EXPECT_EQ(form->Caption(), " in QX-QY DX Contest");
}

TEST_F(MainFormTest, LoadsBothReferenceFilesFromThePluginsFolder) {
  WriteDistrictTable("ALB=ALB\r\nBEX=BEX\r\n");
  WriteCallDistricts("QX1AB=ALB\n");
  TfmMainForm* form = Create(HostDefaults());
  EXPECT_EQ(form->Session().GetDistrictTable()->Count(), 2u);
  EXPECT_EQ(form->Session().GetCallDistricts()->Count(), 1u);
}

TEST_F(MainFormTest, MissingReferenceFilesAreNotAnError) {
  TfmMainForm* form = Open(HostDefaults());
  EXPECT_EQ(form->Session().GetDistrictTable()->Count(), 0u);
  EXPECT_TRUE(ErrorBoxLog().empty());
}

TEST_F(MainFormTest, FirstShowWritesHeadingsAndRebuildsFromTheLog) {
  WriteDistrictTable("ALB=ALB\r\nBEX=BEX\r\n");
  AddLogRow("599 ALB", "QX1AB", "14", "CW", "QX1");
  AddLogRow("599 ALB", "QX1AB", "14", "CW", "QX1");  // duplicate
  AddLogRow("599 bex", "QY2CD", "7", "CW", "QY2");
  AddLogRow("599 001", "DL1XYZ", "10", "SSB", "DL1");
  AddLogRow("599 ZZZ", "QX3EF", "14", "CW", "QX3");  // a prefix, but no district: 20 m differs
  TfmMainForm* form = Open(HostDefaults().Band("21"));

  EXPECT_EQ(query_->OpenedTexts(), Cells{"Select * from QSOs order by CallSign"});
  EXPECT_EQ(GridRow(*form, 0), (Cells{"Band", "QSOs", "Points", "QX-QY", "WPX"}));
  EXPECT_EQ(GridRow(*form, 1), (Cells{"160", "", "", "", ""}));
  EXPECT_EQ(GridRow(*form, 3), (Cells{"40", "1", "3", "1", "1"}));
  EXPECT_EQ(GridRow(*form, 4), (Cells{"20", "2", "6", "1", "2"})) << "districts, then prefixes";
  EXPECT_EQ(GridRow(*form, 6), (Cells{"10", "", "", "", ""}));  // the 28 MHz row, not band "10"
  EXPECT_EQ(GridRow(*form, 7), (Cells{"Total", "4", "12", "2", "4"}));
  EXPECT_EQ(form->Label1.Caption(), "Score: 12*(2+4)=72");
  EXPECT_TRUE(form->BitBtn1.Enabled());
}

TEST_F(MainFormTest, TheFirstShowRecalculatesOnlyWhileRecalcIsEnabled) {
  AddLogRow("599", "QX1AB", "14", "CW", "QX1");
  TfmMainForm* form = Create(HostDefaults());
  form->BitBtn1.SetEnabled(false);
  form->Show();
  EXPECT_TRUE(query_->OpenedTexts().empty());
  EXPECT_EQ(GridRow(*form, 7), (Cells{"Total", "", "", "", ""}));
  EXPECT_FALSE(form->BitBtn1.Enabled());
}

TEST_F(MainFormTest, RebuildLeavesTheLastRowInTheRecordButPutsTheBandBack) {
  AddLogRow("599 ALB", "QX1AB", "14", "CW", "QX1");
  AddLogRow("59 BEX", "QY2CD", "7", "SSB", "QY2");
  Open(HostDefaults().Band("21").Call("BEFORE"));
  EXPECT_EQ(ReadShortText(current_.Band), "21");
  EXPECT_EQ(ReadShortText(current_.Call), "QY2CD");
  EXPECT_EQ(ReadShortText(current_.Mode), "SSB");
  EXPECT_EQ(ReadShortText(current_.ReportReceived), "59 BEX");
  EXPECT_EQ(ReadShortText(current_.Wpx), "QY2");
  EXPECT_FALSE(query_->IsOpen());
}

TEST_F(MainFormTest, AnEmptyLogShowsZeroTotalsAndAZeroScore) {
  TfmMainForm* form = Open(HostDefaults());
  for (int row = 1; row <= 6; ++row) EXPECT_EQ(GridRow(*form, row)[1], "") << "row " << row;
  EXPECT_EQ(GridRow(*form, 7), (Cells{"Total", "0", "0", "0", "0"}));
  EXPECT_EQ(form->Label1.Caption(), "Score: 0*(0+0)=0");
}

TEST_F(MainFormTest, RowsAreScoredWithTheGroupsAndCountryOfTheLastHostRecord) {
  AddLogRow("599", "QX1AB", "14", "CW", "QX1");
  AddLogRow("599", "DL1AB", "14", "CW", "DL1");
  TfmMainForm* form = Open(HostDefaults().OwnGroup("dx").QsoGroup("DX").Country("DL"));
  EXPECT_EQ(GridRow(*form, 7), (Cells{"Total", "2", "2", "0", "0"}));
}

TEST_F(MainFormTest, NullValuesReadAsEmptyAndLongValuesAreCutTo255) {
  rows_.push_back(Row{std::nullopt, std::string(1000, 'K'), "14", std::nullopt, std::nullopt});
  TfmMainForm* form = Open(HostDefaults());
  EXPECT_EQ(ReadShortText(current_.Call), std::string(255, 'K'));
  EXPECT_EQ(ReadShortText(current_.Mode), "");
  ASSERT_EQ(form->Session().Scoring()->qso_list().Count(), 1u);
}

TEST_F(MainFormTest, AFailingQueryIsShownAndLeavesTheGridClearedAndRecalcEnabled) {
  AddLogRow("599 ALB", "QX1AB", "14", "CW", "QX1");
  TfmMainForm* form = Open(HostDefaults());
  ASSERT_EQ(form->Label1.Caption(), "Score: 3*(0+1)=3");

  query_->FailOpen("no such table: QSOs");
  form->BitBtn1.Click();
  EXPECT_EQ(ErrorBoxLog(), Cells{"no such table: QSOs"});
  EXPECT_TRUE(form->BitBtn1.Enabled());
  EXPECT_EQ(GridRow(*form, 4), (Cells{"20", "", "", "", ""}));
  EXPECT_EQ(GridRow(*form, 0)[1], "QSOs");                // fixed texts stay
  EXPECT_EQ(form->Label1.Caption(), "Score: 3*(0+1)=3");  // not redrawn
  EXPECT_EQ(form->Session().Scoring()->qso_list().Count(), 0u);
}

TEST_F(MainFormTest, AnErrorDuringTheFirstShowDoesNotStopTheShow) {
  rows_.clear();
  TfmMainForm* form = Create(HostDefaults());
  query_->FailOpen("no such table: QSOs");
  form->Show();
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(ErrorBoxLog(), Cells{"no such table: QSOs"});
  EXPECT_EQ(form->Label1.Caption(), "");
}

TEST_F(MainFormTest, AMissingColumnStopsAtTheFirstRowWithTheBandNotPutBack) {
  AddLogRow("599 ALB", "QX1AB", "14", "CW", "QX1");
  TfmMainForm* form = Create(HostDefaults().Band("21"));
  query_->FailAtColumn("DigiBand", "no such column: DigiBand");
  form->Show();
  EXPECT_EQ(ErrorBoxLog(), Cells{"no such column: DigiBand"});
  EXPECT_EQ(form->Session().Scoring()->stat_list().Count(), 0u);
  EXPECT_TRUE(query_->IsOpen());
  EXPECT_EQ(ReadShortText(current_.Call), "QX1AB");  // read before the failing column
  EXPECT_EQ(ReadShortText(current_.Band), "21");
}

TEST_F(MainFormTest, AFailureMidReplayKeepsTheRowsReplayedSoFar) {
  for (const char* call : {"A1", "B1", "C1", "D1"}) AddLogRow("599", call, "14", "CW", "X");
  TfmMainForm* form = Create(HostDefaults());
  query_->FailAtRow(2, "disk I/O error");
  form->Show();
  EXPECT_EQ(ErrorBoxLog(), Cells{"disk I/O error"});
  EXPECT_EQ(form->Session().Scoring()->qso_list().Count(), 2u);
}

TEST_F(MainFormTest, TheCloseBoxMinimisesAndChangesNothingElse) {
  AddLogRow("599", "QX1AB", "14", "CW", "QX1");
  TfmMainForm* form = Open(HostDefaults());
  form->SysCommand(kScClose | 0x3);
  App().ProcessMessages();
  ASSERT_FALSE(main_ref_.empty());
  EXPECT_TRUE(form->Minimized());
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->Session().Scoring()->qso_list().Count(), 1u);

  form->SysCommand(kScMinimize);  // other commands take their usual course
  EXPECT_FALSE(main_ref_.empty());
}

TEST_F(MainFormTest, ACloseReleasesTheListsAndTheWindowAndEmptiesTheReference) {
  AddLogRow("599", "QX1AB", "14", "CW", "QX1");
  TfmMainForm* form = Open(HostDefaults());
  form->Close();
  EXPECT_TRUE(main_ref_.empty());
  EXPECT_EQ(form->Session().Scoring(), nullptr);
  EXPECT_EQ(form->Session().GetDistrictTable(), nullptr);
  EXPECT_FALSE(form->Session().GetLogQuery().IsOpen());
  EXPECT_EQ(form->Session().Commit(), 0);  // released lists are never touched
  ComponentRef<TfmMainForm> watch(form);
  App().ProcessMessages();
  EXPECT_TRUE(watch.empty());
}

TEST_F(MainFormTest, ClosingSavesThePlacementAndTheStoredBand) {
  TfmMainForm* form = Open(HostDefaults());
  form->FormStorage1.SetStoredValue("CurrentBand", "5");
  form->Close();
  EXPECT_EQ(store_.Get("TfmMainForm", "CurrentBand"), "5");
  EXPECT_TRUE(store_.Has("TfmMainForm", "NormPos"));
}

TEST_F(MainFormTest, GridCellsAreFilledAndTheirTextDrawnCentredAtTheTop) {
  TfmMainForm* form = Open(HostDefaults());
  StringGrid& grid = form->StringGrid1;
  const Rect cell = grid.CellRect(2, 0);
  EXPECT_EQ(cell.Width(), 64);
  EXPECT_EQ(cell.Height(), 17);
  EXPECT_EQ(grid.CellRect(1, 1).left, 65);  // one-pixel lines between cells

  RecordingCanvas canvas;
  grid.PaintCell(canvas, 2, 0);
  ASSERT_FALSE(canvas.Fills().empty());
  EXPECT_EQ(canvas.Fills().back().rect, cell);
  ASSERT_FALSE(canvas.Texts().empty());
  const RecordingCanvas::Text& drawn = canvas.Texts().back();
  EXPECT_EQ(drawn.text, "Points");
  EXPECT_EQ(drawn.x, cell.left + 32 - canvas.TextWidth("Points") / 2);
  EXPECT_EQ(drawn.y, cell.top);
}

TEST_F(MainFormTest, LayoutMatchesTheDesign) {
  TfmMainForm* form = Create(HostDefaults());
  EXPECT_EQ(form->ClientWidth(), 328);
  EXPECT_EQ(form->ClientHeight(), 193);
  EXPECT_EQ(form->Left(), 1009);
  EXPECT_EQ(form->Top(), 201);
  EXPECT_TRUE(form->StayOnTop());
  EXPECT_FALSE(form->HasMaximizeBox());
  EXPECT_EQ(form->Panel1.BoundsRect(), (Rect{0, 149, 328, 193}));
  EXPECT_EQ(form->StringGrid1.BoundsRect(), (Rect{0, 0, 328, 149}));
  EXPECT_FALSE(form->StringGrid1.Enabled());
  EXPECT_EQ(form->BitBtn1.Caption(), "Recalc");
  EXPECT_EQ(form->btnOBL1.Caption(), "District");
}

}  // namespace
}  // namespace qxqy::testing
