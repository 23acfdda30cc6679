// The automation log query against an in-memory Connection: rows walked in
// order, values as text whatever their type, each Field fetched once and
// only when its column is first read, errors with the database's own
// message, and every object it obtained released again (the connection
// itself is only borrowed).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/log_query.h"
#include "base/win32/testing/fake_connection.h"

namespace qxqy::win32 {
namespace {

using testing::FakeConnectionStats;
using testing::FakeFailure;
using testing::FakeTable;

FakeTable SampleLog() {
  FakeTable table;
  table.columns = {L"CallSign", L"DigiBand", L"QSOMode", L"WPX", L"QSOReportRecived"};
  table.rows = {
      {std::wstring(L"QX1AA"), std::wstring(L"14"), std::wstring(L"CW"), std::wstring(L"QX1"),
       std::wstring(L"599ABC")},
      {std::wstring(L"QY2BB"), 7, std::wstring(L"SSB"), std::monostate{}, std::wstring(L"")},
  };
  return table;
}

class AdoLogQueryTest : public ::testing::Test {
 protected:
  void Connect(FakeTable table, std::wstring failing_table = L"",
               FakeFailure failure = FakeFailure::kDescribed) {
    connection_ =
        testing::CreateFakeConnection(std::move(table), &stats_, std::move(failing_table), failure);
    query_ = CreateLogQuery(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(connection_)));
  }
  ~AdoLogQueryTest() override {
    query_.reset();
    EXPECT_EQ(stats_.live_objects, 0) << "every recordset, collection and field is released";
    // Our reference is the only one left: the query took none of its own.
    if (connection_ != nullptr) {
      EXPECT_EQ(connection_->Release(), 0u);
    }
  }

  FakeConnectionStats stats_;
  IDispatch* connection_ = nullptr;
  std::unique_ptr<LogQuery> query_;
};

TEST_F(AdoLogQueryTest, WalksTheRowsAndReadsEveryValueAsText) {
  Connect(SampleLog());
  query_->SetText("Select * from Log order by CallSign");
  query_->Open();
  EXPECT_EQ(stats_.last_sql, L"Select * from Log order by CallSign");
  ASSERT_FALSE(query_->Eof());
  EXPECT_EQ(query_->FieldAsText("CallSign"), "QX1AA");
  EXPECT_EQ(query_->FieldAsText("qsoreportrecived"), "599ABC") << "names match in any case";
  query_->Next();
  ASSERT_FALSE(query_->Eof());
  EXPECT_EQ(query_->FieldAsText("DigiBand"), "7") << "an integer reads as its decimal text";
  EXPECT_EQ(query_->FieldAsText("WPX"), "") << "null reads as empty text";
  EXPECT_EQ(query_->FieldAsText("QSOReportRecived"), "");
  query_->Next();
  EXPECT_TRUE(query_->Eof());
  query_->Next();  // past the end: stays there
  EXPECT_TRUE(query_->Eof());
  EXPECT_THROW(query_->FieldAsText("CallSign"), DatabaseError);
  query_->Close();
  EXPECT_FALSE(query_->IsOpen());
  EXPECT_EQ(stats_.closes, 1);
  query_->Close();
  EXPECT_EQ(stats_.closes, 1) << "a closed query closes nothing";
}

TEST_F(AdoLogQueryTest, EmptyTableIsAtItsEndAtOnce) {
  FakeTable table = SampleLog();
  table.rows.clear();
  Connect(table);
  query_->SetText("Select * from Log");
  query_->Open();
  EXPECT_TRUE(query_->IsOpen());
  EXPECT_TRUE(query_->Eof());
}

TEST_F(AdoLogQueryTest, MemberIdsAndFieldsAreFetchedOncePerRecordsetNotPerRow) {
  FakeTable table = SampleLog();
  for (int i = 0; i < 500; ++i) table.rows.push_back(table.rows[0]);
  Connect(table);
  query_->SetText("Select * from Log");
  query_->Open();
  int rows = 0;
  for (; !query_->Eof(); query_->Next()) {
    for (const char* column : {"CallSign", "DigiBand", "QSOMode", "WPX", "QSOReportRecived"}) {
      query_->FieldAsText(column);
    }
    ++rows;
  }
  EXPECT_EQ(rows, 502);
  EXPECT_LE(stats_.id_lookups, 8);
  EXPECT_EQ(stats_.item_calls, 5) << "one Field per column, for all rows";
  EXPECT_EQ(stats_.live_objects, 2 + 5) << "the recordset, its fields and the five Field objects";
  query_->Close();
  EXPECT_EQ(stats_.live_objects, 0) << "closing lets go of the Field objects";
}

TEST_F(AdoLogQueryTest, EachFieldIsFetchedJustBeforeItsFirstValueInTheOrderColumnsAreRead) {
  Connect(SampleLog());
  query_->SetText("Select * from Log");
  query_->Open();
  EXPECT_TRUE(stats_.field_calls.empty()) << "opening fetches no Field";
  for (; !query_->Eof(); query_->Next()) {
    for (const char* column : {"QSOReportRecived", "CallSign", "WPX"}) query_->FieldAsText(column);
  }
  const std::vector<std::wstring> expected = {
      L"Item QSOReportRecived",
      L"Value QSOReportRecived",
      L"Item CallSign",
      L"Value CallSign",
      L"Item WPX",
      L"Value WPX",
      L"Value QSOReportRecived",
      L"Value CallSign",
      L"Value WPX",
  };
  EXPECT_EQ(stats_.field_calls, expected);
}

TEST_F(AdoLogQueryTest, AKeptFieldReadsTheCurrentRow) {
  Connect(SampleLog());
  query_->SetText("Select * from Log");
  query_->Open();
  EXPECT_EQ(query_->FieldAsText("CallSign"), "QX1AA");
  EXPECT_EQ(query_->FieldText("CallSign"), "QX1AA");
  query_->Next();
  EXPECT_EQ(query_->FieldAsText("CallSign"), "QY2BB");
  EXPECT_EQ(query_->FieldText("callsign"), "QY2BB") << "another spelling is a Field of its own";
  EXPECT_EQ(stats_.item_calls, 2);
}

TEST_F(AdoLogQueryTest, AnEmptyTableFetchesNoFieldSoAMissingColumnGoesUnnoticed) {
  FakeTable table = SampleLog();
  table.rows.clear();
  table.columns.pop_back();  // no QSOReportRecived
  Connect(table);
  query_->SetText("Select * from Log");
  query_->Open();
  EXPECT_TRUE(query_->Eof());
  EXPECT_EQ(stats_.item_calls, 0);
}

TEST_F(AdoLogQueryTest, ReopeningClosesTheFirstRecordset) {
  Connect(SampleLog());
  query_->SetText("Select * from Log");
  query_->Open();
  EXPECT_EQ(query_->FieldAsText("CallSign"), "QX1AA");
  query_->Next();
  query_->Open();
  EXPECT_EQ(stats_.closes, 1);
  EXPECT_EQ(stats_.executes, 2);
  EXPECT_EQ(query_->FieldAsText("CallSign"), "QX1AA")
      << "the new recordset starts at its first row";
  EXPECT_EQ(stats_.item_calls, 2) << "the new recordset fetches its own Field";
  EXPECT_EQ(stats_.live_objects, 3) << "the first recordset's objects are released";
}

TEST_F(AdoLogQueryTest, ErrorsCarryTheDatabasesMessage) {
  struct Case {
    FakeFailure failure;
    std::string expected_start;
  };
  const Case cases[] = {
      {FakeFailure::kDescribed, "no such table: Missing"},
      {FakeFailure::kDeferredDescription, "deferred: disk I/O error"},
      {FakeFailure::kNoDescription, "Execute failed: "},
  };
  for (const Case& c : cases) {
    FakeConnectionStats stats;
    IDispatch* connection =
        testing::CreateFakeConnection(SampleLog(), &stats, L"Missing", c.failure);
    {
      auto query = CreateLogQuery(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(connection)));
      query->SetText("Select * from Missing order by CallSign");
      try {
        query->Open();
        ADD_FAILURE() << "no error for failure kind " << static_cast<int>(c.failure);
      } catch (const DatabaseError& error) {
        EXPECT_EQ(std::string(error.what()).rfind(c.expected_start, 0), 0u)
            << "failure kind " << static_cast<int>(c.failure) << ": " << error.what();
      }
      EXPECT_FALSE(query->IsOpen());
    }
    EXPECT_EQ(stats.live_objects, 0);
    EXPECT_EQ(connection->Release(), 0u);
  }
}

TEST_F(AdoLogQueryTest, UnknownColumnIsADatabaseError) {
  Connect(SampleLog());
  query_->SetText("Select * from Log");
  query_->Open();
  EXPECT_EQ(query_->FieldAsText("CallSign"), "QX1AA");
  try {
    query_->FieldAsText("Frequency");
    ADD_FAILURE() << "no error for an unknown column";
  } catch (const DatabaseError& error) {
    EXPECT_NE(std::string(error.what()).find("cannot be found"), std::string::npos) << error.what();
  }
  EXPECT_EQ(query_->FieldAsText("WPX"), "QX1") << "the query goes on";
  EXPECT_THROW(query_->FieldAsText("Frequency"), DatabaseError) << "nothing was kept for it";
  EXPECT_EQ(stats_.item_calls, 4);
  EXPECT_EQ(stats_.live_objects, 2 + 2);
}

TEST(AdoLogQueryWithoutConnection, OpenFailsClearly) {
  auto query = CreateLogQuery(0);
  query->SetText("Select * from Log");
  EXPECT_THROW(query->Open(), DatabaseError);
  EXPECT_FALSE(query->IsOpen());
}

}  // namespace
}  // namespace qxqy::win32
