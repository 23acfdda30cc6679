#include "fuzz/log_database.h"

#include <sqlite3.h>

#include <cstdlib>
#include <iterator>
#include <stdexcept>

#include "base/posix/sqlite_connections.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/reference_rules.h"

namespace qxqy::fuzzing {

namespace {

void Exec(sqlite3* db, const std::string& sql) {
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
    throw std::runtime_error(sqlite3_errmsg(db));
  }
}

// Runs a prepared statement that returns no rows.
void Run(sqlite3* db, sqlite3_stmt* statement) {
  QXQY_FUZZ_CHECK(sqlite3_step(statement) == SQLITE_DONE, "%s: %s", sqlite3_sql(statement),
                  sqlite3_errmsg(db));
  sqlite3_reset(statement);
}

void Bind(sqlite3_stmt* statement, const char* parameter, const std::optional<std::string>& value) {
  const int index = sqlite3_bind_parameter_index(statement, parameter);
  if (index == 0) return;
  if (value) {
    sqlite3_bind_text(statement, index, value->data(), static_cast<int>(value->size()),
                      SQLITE_STATIC);
  } else {
    sqlite3_bind_null(statement, index);
  }
}

// The index of column `name` (found ignoring case) of `statement`, or -1.
int ColumnIndex(sqlite3_stmt* statement, std::string_view name) {
  for (int i = 0; i < sqlite3_column_count(statement); ++i) {
    if (SameIgnoringCase(sqlite3_column_name(statement, i), name)) return i;
  }
  return -1;
}

// The text of column `index` of the current row; empty for null or -1.
std::string Column(sqlite3_stmt* statement, int index) {
  if (index < 0) return std::string();
  const unsigned char* text = sqlite3_column_text(statement, index);
  if (text == nullptr) return std::string();
  return std::string(reinterpret_cast<const char*>(text),
                     static_cast<size_t>(sqlite3_column_bytes(statement, index)));
}

}  // namespace

LogDatabase::LogDatabase(const LogTableLayout& table, const std::vector<LogView>& views)
    : table_name_(table.name) {
  // One thread uses the connection, so SQLite's own locking is left out.
  if (sqlite3_open_v2(":memory:", &db_,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                      nullptr) != SQLITE_OK) {
    throw std::runtime_error("sqlite3_open_v2");
  }
  Exec(db_, table.create_sql);
  insert_ = Prepare(table.insert_sql);
  begin_ = Prepare("BEGIN");
  commit_ = Prepare("COMMIT");
  delete_all_ = Prepare("DELETE FROM " + table_name_);
  std::vector<std::string> names = {table.name};
  for (const LogView& view : views) {
    Exec(db_, view.create_sql);
    names.push_back(view.name);
  }
  for (const std::string& name : names) {
    Source source;
    source.name = name;
    source.select = Prepare("Select * from " + name + " order by CallSign");
    const char* const columns[] = {"CallSign", "DigiBand", "QSOMode", "QSOReportRecived", "WPX"};
    for (size_t i = 0; i < std::size(columns); ++i) {
      source.columns[i] = ColumnIndex(source.select, columns[i]);
    }
    sources_.push_back(std::move(source));
  }
  handle_ = RegisterSqliteConnection(db_);
}

LogDatabase::~LogDatabase() {
  UnregisterSqliteConnection(handle_);
  for (Source& source : sources_) sqlite3_finalize(source.select);
  for (sqlite3_stmt* statement : {insert_, begin_, commit_, delete_all_}) {
    sqlite3_finalize(statement);
  }
  sqlite3_close(db_);
}

void LogDatabase::Clear() {
  pending_.clear();
  if (written_rows_ > 0) Run(db_, delete_all_);
  written_rows_ = 0;
  ++version_;
}

void LogDatabase::Append(const LogRow& row) {
  pending_.push_back(row);
  ++version_;
}

void LogDatabase::Flush() {
  if (pending_.empty()) return;
  Run(db_, begin_);
  for (const LogRow& row : pending_) {
    Bind(insert_, ":call", row.call);
    Bind(insert_, ":band", row.band);
    Bind(insert_, ":mode", row.mode);
    Bind(insert_, ":report", row.report);
    Bind(insert_, ":wpx", row.wpx);
    QXQY_FUZZ_CHECK(sqlite3_step(insert_) == SQLITE_DONE, "insert: %s", sqlite3_errmsg(db_));
    sqlite3_reset(insert_);
    sqlite3_clear_bindings(insert_);
  }
  Run(db_, commit_);
  written_rows_ += pending_.size();
  pending_.clear();
}

const std::vector<ModelContact>& LogDatabase::RowsInQueryOrder(std::string_view name) {
  Flush();
  for (Source& source : sources_) {
    if (source.name != name) continue;
    if (source.rows_version == version_) return source.rows;
    std::vector<ModelContact>& rows = source.rows;
    rows.clear();
    sqlite3_stmt* select = source.select;
    while (sqlite3_step(select) == SQLITE_ROW) {
      rows.push_back(
          ModelContact{Column(select, source.columns[0]), Column(select, source.columns[1]),
                       Column(select, source.columns[2]), Column(select, source.columns[3]),
                       Column(select, source.columns[4])});
    }
    sqlite3_reset(select);
    source.rows_version = version_;
    return rows;
  }
  QXQY_FUZZ_CHECK(false, "no log table or view named %s", std::string(name).c_str());
  std::abort();
}

sqlite3_stmt* LogDatabase::Prepare(const std::string& sql) const {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    throw std::runtime_error(sqlite3_errmsg(db_));
  }
  return statement;
}

}  // namespace qxqy::fuzzing
