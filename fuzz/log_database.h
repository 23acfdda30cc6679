// The host's log for the fuzz targets: an in-memory SQLite database opened
// once per process and registered for the plug-in's log query, emptied and
// filled again for every input (opening and registering a database per
// input cost more than the rest of a short input).
//
// One table takes the rows; views over it may show them under other column
// names, orders and collations. The table's insert statement takes the
// named parameters :call, :band, :mode, :report and :wpx. Appended rows are
// written when they are first needed, all in one transaction: most inputs
// never rebuild, and a transaction per row would cost more than the plug-in.
//
// Not thread-safe; libFuzzer runs one input at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/contest_model.h"

struct sqlite3;
struct sqlite3_stmt;

namespace qxqy::fuzzing {

struct LogTableLayout {
  const char* name;
  const char* create_sql;
  const char* insert_sql;
};

struct LogView {
  const char* name;
  const char* create_sql;
};

// The host's own layout: the five columns the plug-in reads, CallSign
// ordered ignoring case as desktop databases order it.
inline constexpr LogTableLayout kHostLogLayout = {
    "QSOs",
    "CREATE TABLE QSOs (QSOId INTEGER PRIMARY KEY, CallSign TEXT COLLATE NOCASE,"
    " DigiBand TEXT, QSOMode TEXT, QSOReportRecived TEXT, WPX TEXT)",
    "INSERT INTO QSOs (CallSign, DigiBand, QSOMode, QSOReportRecived, WPX)"
    " VALUES (:call, :band, :mode, :report, :wpx)"};

// One row to log; a field without a value is stored as NULL.
struct LogRow {
  std::optional<std::string> call;
  std::optional<std::string> band;
  std::optional<std::string> mode;
  std::optional<std::string> report;
  std::optional<std::string> wpx;
};

class LogDatabase {
 public:
  // Opens the database, creates the tables and registers the connection;
  // throws std::runtime_error when SQLite fails.
  explicit LogDatabase(const LogTableLayout& table, const std::vector<LogView>& views = {});
  ~LogDatabase();
  LogDatabase(const LogDatabase&) = delete;
  LogDatabase& operator=(const LogDatabase&) = delete;

  // The handle to put into a record's Connection field.
  uint32_t Handle() const { return handle_; }

  // Deletes every row.
  void Clear();
  void Append(const LogRow& row);
  size_t RowCount() const { return written_rows_ + pending_.size(); }
  // Writes the appended rows into the table, so that a query sees them.
  void Flush();

  // The rows of the table or view `name` in the order "Select * from <name>
  // order by CallSign" delivers them, each column found by its name
  // ignoring case, null read as empty and a missing column as empty.
  // Flushes first. Read again only after the rows changed; the reference
  // stays valid until the next call.
  const std::vector<ModelContact>& RowsInQueryOrder(std::string_view name);

 private:
  // The plug-in's query over one table or view, prepared once.
  struct Source {
    std::string name;
    sqlite3_stmt* select = nullptr;
    // The select's columns of call, band, mode, report and WPX; -1 if missing.
    int columns[5] = {-1, -1, -1, -1, -1};
    // What the select delivered when the rows were at `rows_version`.
    std::vector<ModelContact> rows;
    uint64_t rows_version = 0;
  };

  sqlite3_stmt* Prepare(const std::string& sql) const;

  sqlite3* db_ = nullptr;
  std::string table_name_;
  sqlite3_stmt* insert_ = nullptr;
  sqlite3_stmt* begin_ = nullptr;
  sqlite3_stmt* commit_ = nullptr;
  sqlite3_stmt* delete_all_ = nullptr;
  std::vector<Source> sources_;
  uint32_t handle_ = 0;
  std::vector<LogRow> pending_;
  size_t written_rows_ = 0;
  uint64_t version_ = 1;  // changes whenever the rows change
};

}  // namespace qxqy::fuzzing
