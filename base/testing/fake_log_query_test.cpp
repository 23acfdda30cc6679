#include "base/testing/fake_log_query.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/error.h"

namespace qxqy::testing {
namespace {

FakeLogQuery ThreeRows() {
  return FakeLogQuery({"CallSign", "WPX"},
                      {{"QX1A", std::nullopt}, {"QX1B", "QX1"}, {"QX1C", "QX1"}});
}

// Counts the rows read before the query ends or fails; "!" marks a failure.
std::string Walk(FakeLogQuery& query) {
  std::string trace;
  try {
    for (query.Open(); !query.Eof(); query.Next()) trace += query.FieldAsText("callsign") + ",";
  } catch (const DatabaseError& error) {
    trace += std::string("!") + error.what();
  }
  return trace;
}

TEST(FakeLogQueryTest, FailsWhereItIsTold) {
  struct Case {
    const char* what;
    std::function<void(FakeLogQuery&)> arrange;
    std::string trace;
  };
  const Case cases[] = {
      {"no fault", [](FakeLogQuery&) {}, "QX1A,QX1B,QX1C,"},
      {"open", [](FakeLogQuery& q) { q.FailOpen("no such table: Log"); }, "!no such table: Log"},
      {"first row", [](FakeLogQuery& q) { q.FailAtRow(0, "disk I/O error"); }, "!disk I/O error"},
      {"third row", [](FakeLogQuery& q) { q.FailAtRow(2, "locked"); }, "QX1A,QX1B,!locked"},
      {"column", [](FakeLogQuery& q) { q.FailAtColumn("CallSign", "no such column: CallSign"); },
       "!no such column: CallSign"},
  };
  for (const Case& c : cases) {
    FakeLogQuery query = ThreeRows();
    c.arrange(query);
    EXPECT_EQ(Walk(query), c.trace) << c.what;
  }
}

TEST(FakeLogQueryTest, NullReadsEmptyAndUnknownColumnsThrow) {
  FakeLogQuery query = ThreeRows();
  query.SetText("Select * from Log order by CallSign");
  query.Open();
  EXPECT_EQ(query.FieldAsText("WPX"), "");
  EXPECT_THROW(query.FieldAsText("Mode"), DatabaseError);
  query.Close();
  query.Close();
  EXPECT_EQ(query.CloseCount(), 1);
  EXPECT_EQ(query.OpenedTexts(), std::vector<std::string>{"Select * from Log order by CallSign"});
}

}  // namespace
}  // namespace qxqy::testing
