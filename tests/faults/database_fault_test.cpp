// The database failing while "Recalc" replays the log: the table missing, a
// column missing, a failure in the middle of the rows. Each must show the
// database's message in the error box and leave exactly the state that is
// kept after a failed rebuild: the rows replayed so far, Recalc enabled
// again, the statistics cells cleared, the score line as it was, and the
// record's band not put back.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MainForm/main_form_fixture.h"

namespace qxqy::testing {
namespace {

struct DatabaseFault {
  std::string name;
  std::function<void(FakeLogQuery&)> inject;
  std::string message;
  size_t rows_replayed;
  std::string band_left;  // the record's band after the failure
  bool query_left_open;
};

class DatabaseFaultTest : public MainFormTest {
 protected:
  DatabaseFaultTest() {
    AddLogRow("599 ALB", "QX1AB", "7", "CW", "QX1");
    AddLogRow("599 BEX", "QX2CD", "21", "CW", "QX2");
    AddLogRow("599 CAR", "QX3EF", "28", "SSB", "QX3");
    AddLogRow("599 DUN", "QX4GH", "14", "CW", "QX4");
    WriteDistrictTable("ALB=ALB\r\nBEX=BEX\r\nCAR=CAR\r\nDUN=DUN\r\n");
  }
};

TEST_F(DatabaseFaultTest, ARecalcThatFailsKeepsTheDescribedState) {
  const DatabaseFault faults[] = {
      {"table missing", [](FakeLogQuery& q) { q.FailOpen("no such table: QSOs"); },
       "no such table: QSOs", 0, "3.5", false},
      {"column missing",
       [](FakeLogQuery& q) { q.FailAtColumn("QSOMode", "no such column: QSOMode"); },
       "no such column: QSOMode", 0, "7", true},
      {"failure mid-replay", [](FakeLogQuery& q) { q.FailAtRow(2, "disk I/O error"); },
       "disk I/O error", 2, "21", true},
  };
  for (const DatabaseFault& fault : faults) {
    SCOPED_TRACE(fault.name);
    TfmMainForm* form = Open(HostDefaults().Band("3.5"));
    ASSERT_TRUE(ErrorBoxLog().empty());
    const std::string score_line = form->Label1.Caption();
    ASSERT_EQ(score_line, "Score: 12*(4+4)=96");

    fault.inject(*query_);
    form->BitBtn1.Click();

    EXPECT_EQ(ErrorBoxLog(), std::vector<std::string>{fault.message});
    EXPECT_EQ(form->Session().Scoring()->qso_list().Count(), fault.rows_replayed);
    EXPECT_EQ(form->Session().Scoring()->stat_list().Count(), fault.rows_replayed);
    EXPECT_TRUE(form->BitBtn1.Enabled());
    for (int row = 1; row < form->StringGrid1.RowCount(); ++row) {
      for (int col = 1; col < form->StringGrid1.ColCount(); ++col) {
        EXPECT_EQ(form->StringGrid1.Cell(col, row), "") << "cell " << col << "," << row;
      }
    }
    EXPECT_EQ(form->StringGrid1.Cell(0, 7), "Total");
    EXPECT_EQ(form->StringGrid1.Cell(1, 0), "QSOs");
    EXPECT_EQ(form->Label1.Caption(), score_line);
    EXPECT_EQ(ReadShortText(current_.Band), fault.band_left);
    EXPECT_EQ(query_->IsOpen(), fault.query_left_open);

    // Each case starts from a fresh window.
    form->Close();
    App().ProcessMessages();
    ClearErrorBoxLog();
  }
}

TEST_F(DatabaseFaultTest, TheNextRecalcAfterAFailureClosesTheQueryAndRebuildsEverything) {
  TfmMainForm* form = Open(HostDefaults());
  query_->FailAtRow(1, "disk I/O error");
  form->BitBtn1.Click();
  ASSERT_TRUE(query_->IsOpen());

  query_->FailAtRow(99, "");
  const int closes = query_->CloseCount();
  form->BitBtn1.Click();
  EXPECT_EQ(query_->CloseCount(), closes + 1 + 1);  // before reopening, and at the end
  EXPECT_FALSE(query_->IsOpen());
  EXPECT_EQ(form->Session().Scoring()->qso_list().Count(), 4u);
  EXPECT_EQ(form->Label1.Caption(), "Score: 12*(4+4)=96");
}

}  // namespace
}  // namespace qxqy::testing
