// The rebuild from the log as the record sees it: after a rebuild that ends,
// the five fields hold the last row's values and the band is put back; after
// one that stops on an error, the fields read before the failure.
#include "scoring/rebuild.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/testing/fake_log_query.h"

namespace qxqy {
namespace {

using testing::FakeLogQuery;

class QuietWindow : public RebuildHost {
 public:
  void ClearStatisticsCells() override {}
  void ShowDXList() override {}
  bool LetPendingMessagesRun() override { return keep_going; }
  bool keep_going = true;
};

// The five fields a rebuild writes, as the record holds them.
struct Fields {
  std::string report, call, band, mode, wpx;
  bool operator==(const Fields& other) const {
    return report == other.report && call == other.call && band == other.band &&
           mode == other.mode && wpx == other.wpx;
  }
};

std::ostream& operator<<(std::ostream& out, const Fields& f) {
  return out << "{" << f.report << ", " << f.call << ", " << f.band << ", " << f.mode << ", "
             << f.wpx << "}";
}

class RebuildTest : public ::testing::Test {
 protected:
  RebuildTest() {
    WriteShortText(record_.LogTable, "QSOs");
    WriteShortText(record_.Country, "QX");
    SetFields({"before", "BEFORE", "3.5", "AM", "BF1"});
  }

  void SetFields(const Fields& f) {
    WriteShortText(record_.ReportReceived, f.report);
    WriteShortText(record_.Call, f.call);
    WriteShortText(record_.Band, f.band);
    WriteShortText(record_.Mode, f.mode);
    WriteShortText(record_.Wpx, f.wpx);
  }
  Fields RecordFields() const {
    return {ReadShortText(record_.ReportReceived), ReadShortText(record_.Call),
            ReadShortText(record_.Band), ReadShortText(record_.Mode), ReadShortText(record_.Wpx)};
  }

  FakeLogQuery query_{{"QSOReportRecived", "CallSign", "DigiBand", "QSOMode", "WPX"},
                      {{"599 A", "QX1A", "14", "CW", "QX1"},
                       {"599 B", "QX1A", "14", "CW", "QX1"},  // a repeat of the first
                       {"599 C", "QX2B", "7", "SSB", "QX2"},
                       {"599 D", "QX3C", "21", "CW", "QX3"}}};
  HostRecord record_{};
  DistrictTable table_;
  QuietWindow window_;
  ScoringState state_{record_, table_, /*observer=*/nullptr};
};

TEST_F(RebuildTest, ARebuildThatEndsLeavesTheLastRowAndPutsTheBandBack) {
  RebuildFromLog(state_, query_, record_, window_);
  EXPECT_EQ(RecordFields(), (Fields{"599 D", "QX3C", "3.5", "CW", "QX3"}));
  EXPECT_EQ(state_.qso_list().Count(), 3u) << "the repeat is a duplicate";
  EXPECT_FALSE(query_.IsOpen());
  EXPECT_EQ(query_.OpenedTexts(), std::vector<std::string>{"Select * from QSOs order by CallSign"});
}

TEST_F(RebuildTest, ARebuildThatStopsOnAnErrorLeavesTheFieldsReadBeforeIt) {
  const struct {
    const char* name;
    std::function<void(FakeLogQuery&)> inject;
    Fields left;
    size_t contacts;
  } cases[] = {
      {"column missing in the middle of the row",
       [](FakeLogQuery& q) { q.FailAtColumn("DigiBand", "no such column: DigiBand"); },
       {"599 A", "QX1A", "3.5", "AM", "BF1"},
       0},
      {"last column missing",
       [](FakeLogQuery& q) { q.FailAtColumn("WPX", "no such column: WPX"); },
       {"599 A", "QX1A", "14", "CW", "BF1"},
       0},
      {"stepping onto the third row fails",
       [](FakeLogQuery& q) { q.FailAtRow(2, "disk I/O error"); },
       {"599 B", "QX1A", "14", "CW", "QX1"},
       1},
      {"stepping onto the last row fails",
       [](FakeLogQuery& q) { q.FailAtRow(3, "disk I/O error"); },
       {"599 C", "QX2B", "7", "SSB", "QX2"},
       2},
      {"the first row fails",
       [](FakeLogQuery& q) { q.FailAtRow(0, "disk I/O error"); },
       {"before", "BEFORE", "3.5", "AM", "BF1"},
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.inject(query_);
    EXPECT_THROW(RebuildFromLog(state_, query_, record_, window_), DatabaseError);
    EXPECT_EQ(RecordFields(), c.left);
    EXPECT_EQ(state_.qso_list().Count(), c.contacts);
    query_.FailAtColumn("", "");
    query_.FailAtRow(99, "");
    SetFields({"before", "BEFORE", "3.5", "AM", "BF1"});
  }
}

TEST_F(RebuildTest, AnEmptyLogLeavesTheFieldsAndAnEmptyState) {
  FakeLogQuery empty({"QSOReportRecived", "CallSign", "DigiBand", "QSOMode", "WPX"}, {});
  state_.ScoreQso(/*commit=*/true);
  RebuildFromLog(state_, empty, record_, window_);
  EXPECT_EQ(RecordFields(), (Fields{"before", "BEFORE", "3.5", "AM", "BF1"}));
  EXPECT_TRUE(state_.qso_list().Empty());
}

TEST_F(RebuildTest, AWindowClosedBeforeTheRowsStopsTheRebuildUntouched) {
  window_.keep_going = false;
  RebuildFromLog(state_, query_, record_, window_);
  EXPECT_EQ(RecordFields(), (Fields{"before", "BEFORE", "3.5", "AM", "BF1"}));
  EXPECT_TRUE(state_.qso_list().Empty());
  EXPECT_TRUE(query_.IsOpen()) << "the query is left as it stands";
}

}  // namespace
}  // namespace qxqy
