// LogQuery over a registered SQLite connection. The statement handle is
// owned by a move-only wrapper that hands it back to the connection's
// registry entry when the query closes; the connection is never closed here.
#include <sqlite3.h>

#include <utility>
#include <vector>

#include "base/error.h"
#include "base/native_log_query.h"
#include "base/posix/sqlite_connections.h"
#include "base/text.h"

namespace qxqy {

namespace {

class Statement {
 public:
  Statement() = default;
  Statement(uint32_t handle, sqlite3_stmt* statement) : handle_(handle), statement_(statement) {}
  Statement(Statement&& other) noexcept
      : handle_(other.handle_), statement_(std::exchange(other.statement_, nullptr)) {}
  Statement& operator=(Statement&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = other.handle_;
      statement_ = std::exchange(other.statement_, nullptr);
    }
    return *this;
  }
  ~Statement() { reset(); }

  sqlite3_stmt* get() const { return statement_; }
  explicit operator bool() const { return statement_ != nullptr; }
  // Hands the statement back to the connection's registry entry, which keeps
  // it for the next query with the same text.
  void reset() noexcept { KeepStatement(handle_, std::exchange(statement_, nullptr)); }

 private:
  uint32_t handle_ = 0;
  sqlite3_stmt* statement_ = nullptr;
};

class SqliteLogQuery : public LogQuery {
 public:
  explicit SqliteLogQuery(uint32_t handle) : handle_(handle) {}

  void Close() override {
    statement_.reset();
    column_keys_.clear();
    resolved_columns_.clear();
    next_resolved_ = 0;
    eof_ = true;
  }
  bool IsOpen() const override { return static_cast<bool>(statement_); }
  void SetText(std::string sql) override { text_ = std::move(sql); }
  const std::string& Text() const override { return text_; }

  void Open() override {
    Close();
    sqlite3* connection = FindSqliteConnection(handle_);
    if (connection == nullptr) {
      throw DatabaseError("No database connection (handle " + std::to_string(handle_) + ")");
    }
    sqlite3_stmt* raw = TakeKeptStatement(handle_, text_);
    if (raw == nullptr) {
      if (sqlite3_prepare_v2(connection, text_.c_str(), static_cast<int>(text_.size()), &raw,
                             nullptr) != SQLITE_OK) {
        throw DatabaseError(sqlite3_errmsg(connection));
      }
      if (raw == nullptr) throw DatabaseError("The query text holds no statement");
    }
    statement_ = Statement(handle_, raw);
    Step();
    // Column names are resolved once per open, matched without regard to
    // case. Read after the first step: a kept statement whose tables changed
    // since is prepared again by that step.
    try {
      const int count = sqlite3_column_count(raw);
      column_keys_.reserve(static_cast<size_t>(count));
      for (int i = 0; i < count; ++i) {
        const char* name = sqlite3_column_name(raw, i);
        column_keys_.push_back(CaseInsensitiveKey(name != nullptr ? name : ""));
      }
    } catch (...) {
      Close();  // no half-resolved columns behind an open query
      throw;
    }
  }

  bool Eof() const override { return eof_; }

  std::string FieldAsText(std::string_view column) override {
    return std::string(FieldText(column));
  }

  // The text SQLite holds for the value: valid until the next step, which
  // is later than the interface promises.
  std::string_view FieldText(std::string_view column) override {
    if (!statement_ || eof_) throw DatabaseError("No current row");
    const int index = ColumnIndex(column);
    const unsigned char* text = sqlite3_column_text(statement_.get(), index);
    if (text == nullptr) return std::string_view();  // null
    const int size = sqlite3_column_bytes(statement_.get(), index);
    return std::string_view(reinterpret_cast<const char*>(text), static_cast<size_t>(size));
  }

  void Next() override {
    if (!statement_) throw DatabaseError("The query is not open");
    if (!eof_) Step();
  }

 private:
  // The rebuild asks for the same few names in the same order on every row:
  // names already resolved in this open are found by their exact bytes,
  // without folding, starting after the one found last, so that a row read
  // in the usual order costs one comparison per value.
  int ColumnIndex(std::string_view column) {
    const size_t resolved = resolved_columns_.size();
    for (size_t tried = 0; tried < resolved; ++tried) {
      const size_t at = next_resolved_;
      next_resolved_ = at + 1 == resolved ? 0 : at + 1;
      if (resolved_columns_[at].first == column) return resolved_columns_[at].second;
    }
    const std::string key = CaseInsensitiveKey(column);
    for (size_t i = 0; i < column_keys_.size(); ++i) {
      if (column_keys_[i] == key) {
        resolved_columns_.emplace_back(std::string(column), static_cast<int>(i));
        next_resolved_ = 0;
        return static_cast<int>(i);
      }
    }
    throw DatabaseError("no such column: " + std::string(column));
  }

  void Step() {
    const int result = sqlite3_step(statement_.get());
    if (result == SQLITE_ROW) {
      eof_ = false;
    } else if (result == SQLITE_DONE) {
      eof_ = true;
    } else {
      eof_ = true;
      throw DatabaseError(sqlite3_errmsg(sqlite3_db_handle(statement_.get())));
    }
  }

  uint32_t handle_;
  std::string text_;
  Statement statement_;
  std::vector<std::string> column_keys_;
  std::vector<std::pair<std::string, int>> resolved_columns_;  // name asked, column
  size_t next_resolved_ = 0;  // where the next search of resolved_columns_ starts
  bool eof_ = true;
};

}  // namespace

std::unique_ptr<LogQuery> backend::CreateNativeLogQuery(uint32_t connection_handle) {
  return std::make_unique<SqliteLogQuery>(connection_handle);
}

}  // namespace qxqy
