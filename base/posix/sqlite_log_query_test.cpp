#include <gtest/gtest.h>
#include <sqlite3.h>

#include <iterator>
#include <string>

#include "base/error.h"
#include "base/log_query.h"
#include "base/log_query_override.h"
#include "base/posix/sqlite_connections.h"
#include "base/testing/fake_log_query.h"

namespace qxqy {
namespace {

// An in-memory database registered for the test's lifetime.
class SqliteLogQueryTest : public ::testing::Test {
 protected:
  SqliteLogQueryTest() {
    sqlite3_open(":memory:", &db_);
    handle_ = RegisterSqliteConnection(db_);
  }
  ~SqliteLogQueryTest() override {
    UnregisterSqliteConnection(handle_);
    // Fails while a statement kept for the handle is still open.
    EXPECT_EQ(sqlite3_close(db_), SQLITE_OK);
  }

  void Exec(const char* sql) {
    char* message = nullptr;
    ASSERT_EQ(sqlite3_exec(db_, sql, nullptr, nullptr, &message), SQLITE_OK) << message;
  }

  std::unique_ptr<LogQuery> Query(const std::string& sql) {
    auto query = CreateLogQuery(handle_);
    query->SetText(sql);
    return query;
  }

  // Every row's values of `columns`, joined with "|".
  std::vector<std::string> ReadAll(LogQuery& query, const std::vector<std::string>& columns) {
    std::vector<std::string> rows;
    for (query.Open(); !query.Eof(); query.Next()) {
      std::string row;
      for (const std::string& column : columns) row += query.FieldAsText(column) + "|";
      rows.push_back(row);
    }
    return rows;
  }

  sqlite3* db_ = nullptr;
  uint32_t handle_ = 0;
};

TEST_F(SqliteLogQueryTest, RowsComeInOrderWithNullAsEmptyAndNumbersAsText) {
  Exec(
      "CREATE TABLE Log (CallSign TEXT, DigiBand REAL, QSOMode TEXT, WPX BLOB);"
      "INSERT INTO Log VALUES ('QX1B', 14, 'CW', X'5158');"
      "INSERT INTO Log VALUES ('QX1A', 3.5, NULL, NULL);");
  auto query = Query("Select * from Log order by CallSign");
  EXPECT_EQ(ReadAll(*query, {"CallSign", "DigiBand", "QSOMode", "WPX"}),
            (std::vector<std::string>{"QX1A|3.5|||", "QX1B|14.0|CW|QX|"}));
  EXPECT_TRUE(query->IsOpen());
  query->Close();
  EXPECT_FALSE(query->IsOpen());
  EXPECT_EQ(query->Text(), "Select * from Log order by CallSign");
}

TEST_F(SqliteLogQueryTest, FieldTextIsFieldAsTextWithoutTheCopy) {
  Exec(
      "CREATE TABLE Log (A TEXT, B, C, D, E BLOB, F TEXT);"
      "INSERT INTO Log VALUES ('QX1A', NULL, 14, 3.5, X'5158', CAST(X'41004200' AS TEXT));");
  auto query = Query("Select * from Log");
  query->Open();
  const struct {
    const char* column;
    std::string text;
  } cases[] = {
      {"A", "QX1A"}, {"B", ""},   {"C", "14"},
      {"D", "3.5"},  {"E", "QX"}, {"F", std::string("A\0B\0", 4)},
  };
  // Twice over, in another order the second time: the columns are found
  // whatever order they are asked in.
  for (int round = 0; round < 2; ++round) {
    for (size_t i = 0; i < std::size(cases); ++i) {
      const auto& c = cases[round == 0 ? i : std::size(cases) - 1 - i];
      EXPECT_EQ(query->FieldText(c.column), c.text) << c.column;
      EXPECT_EQ(query->FieldAsText(c.column), c.text) << c.column;
    }
  }
}

TEST_F(SqliteLogQueryTest, ColumnNamesMatchWithoutRegardToCase) {
  Exec("CREATE TABLE Log (QSOReportRecived TEXT); INSERT INTO Log VALUES ('599ABC');");
  auto query = Query("Select * from Log");
  query->Open();
  EXPECT_EQ(query->FieldAsText("qsoreportrecived"), "599ABC");
  EXPECT_EQ(query->FieldAsText("QSOREPORTRECIVED"), "599ABC");
}

TEST_F(SqliteLogQueryTest, CollationOrderOfTheDatabaseIsKept) {
  Exec(
      "CREATE TABLE Log (CallSign TEXT COLLATE NOCASE);"
      "INSERT INTO Log VALUES ('qx1b'), ('QX1A'), ('QX1C');");
  auto query = Query("Select * from Log order by CallSign");
  EXPECT_EQ(ReadAll(*query, {"CallSign"}), (std::vector<std::string>{"QX1A|", "qx1b|", "QX1C|"}));
}

TEST_F(SqliteLogQueryTest, EmptyTableIsAtEofAtOnceAndReadsNoColumn) {
  Exec("CREATE TABLE Log (CallSign TEXT);");
  auto query = Query("Select * from Log order by CallSign");
  query->Open();
  EXPECT_TRUE(query->Eof());
  EXPECT_THROW(query->FieldAsText("CallSign"), DatabaseError);
}

TEST_F(SqliteLogQueryTest, ErrorsCarryTheDatabasesMessage) {
  Exec("CREATE TABLE Log (CallSign TEXT); INSERT INTO Log VALUES ('QX1A');");
  struct Case {
    std::string sql;
    std::string column;  // read after a successful open
    std::string message;
  };
  const Case cases[] = {
      {"Select * from Missing order by CallSign", "", "no such table: Missing"},
      {"Select * from  order by CallSign", "", "near \"order\": syntax error"},
      {"Select * from Log order by CallSign", "WPX", "no such column: WPX"},
      {"", "", "The query text holds no statement"},
  };
  for (const Case& c : cases) {
    auto query = Query(c.sql);
    try {
      query->Open();
      if (!c.column.empty()) query->FieldAsText(c.column);
      ADD_FAILURE() << "no error for " << c.sql;
    } catch (const DatabaseError& error) {
      EXPECT_EQ(error.what(), c.message) << c.sql;
    }
  }
}

TEST_F(SqliteLogQueryTest, UnknownHandleFailsAtOpenWithAClearMessage) {
  for (uint32_t handle : {0u, handle_ + 1000}) {
    auto query = CreateLogQuery(handle);
    query->SetText("Select 1");
    try {
      query->Open();
      ADD_FAILURE() << "no error for handle " << handle;
    } catch (const DatabaseError& error) {
      EXPECT_NE(std::string(error.what()).find("No database connection"), std::string::npos);
    }
  }
}

TEST_F(SqliteLogQueryTest, ReopeningRunsTheQueryAgain) {
  Exec("CREATE TABLE Log (CallSign TEXT); INSERT INTO Log VALUES ('QX1A');");
  auto query = Query("Select * from Log");
  EXPECT_EQ(ReadAll(*query, {"CallSign"}).size(), 1u);
  Exec("INSERT INTO Log VALUES ('QX1B');");
  EXPECT_EQ(ReadAll(*query, {"CallSign"}).size(), 2u);
}

TEST_F(SqliteLogQueryTest, AClosedQueryIsAtItsEnd) {
  Exec("CREATE TABLE Log (CallSign TEXT); INSERT INTO Log VALUES ('QX1A');");
  auto query = Query("Select * from Log");
  query->Open();
  ASSERT_FALSE(query->Eof());
  query->Close();
  EXPECT_FALSE(query->IsOpen());
  EXPECT_TRUE(query->Eof());  // so a loop over the rows stops, as with the test double
}

// Closed queries leave their statements with the registry for the next
// query with the same text; what that query reads must be today's table.
TEST_F(SqliteLogQueryTest, KeptStatementsReadTheTableAsItIsNow) {
  Exec("CREATE TABLE Log (CallSign TEXT); INSERT INTO Log VALUES ('QX1A');");
  const std::string sql = "Select * from Log order by CallSign";
  EXPECT_EQ(ReadAll(*Query(sql), {"CallSign"}), (std::vector<std::string>{"QX1A|"}));

  Exec(
      "DROP TABLE Log; CREATE TABLE Log (WPX TEXT, CallSign TEXT);"
      "INSERT INTO Log VALUES ('QY', 'QY2B');");
  EXPECT_EQ(ReadAll(*Query(sql), {"CallSign", "WPX"}), (std::vector<std::string>{"QY2B|QY|"}));

  // Two queries open at once with the same text each get a statement.
  auto first = Query(sql);
  auto second = Query(sql);
  first->Open();
  second->Open();
  EXPECT_EQ(first->FieldAsText("CallSign"), "QY2B");
  EXPECT_EQ(second->FieldAsText("CallSign"), "QY2B");

  // Another connection's query never gets this one's statement.
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(":memory:", &other), SQLITE_OK);
  const uint32_t other_handle = RegisterSqliteConnection(other);
  auto elsewhere = CreateLogQuery(other_handle);
  elsewhere->SetText(sql);
  EXPECT_THROW(elsewhere->Open(), DatabaseError) << "no table Log there";
  elsewhere.reset();
  UnregisterSqliteConnection(other_handle);
  EXPECT_EQ(sqlite3_close(other), SQLITE_OK);

  first->Close();
  second->Close();
  Exec("DROP TABLE Log;");
  try {
    first->Open();
    ADD_FAILURE() << "a kept statement read a dropped table";
  } catch (const DatabaseError& error) {
    EXPECT_STREQ(error.what(), "no such table: Log");
  }
}

TEST_F(SqliteLogQueryTest, OverrideHandsOutTheTestsQuery) {
  {
    ScopedLogQueryOverride override([](uint32_t handle) {
      return std::make_unique<testing::FakeLogQuery>(
          std::vector<std::string>{"CallSign"},
          std::vector<testing::FakeLogQuery::Row>{{std::to_string(handle)}});
    });
    auto query = CreateLogQuery(77);
    query->Open();
    EXPECT_EQ(query->FieldAsText("callsign"), "77");
  }
  auto query = CreateLogQuery(77);
  query->SetText("Select 1");
  EXPECT_THROW(query->Open(), DatabaseError) << "the backend's query again";
}

}  // namespace
}  // namespace qxqy
