// A LogQuery over rows held in memory, for tests, with faults on demand:
// Open() can fail, stepping onto a given row can fail, reading a given
// column can fail. Failures throw DatabaseError with the configured text.
// Column names match case-insensitively (as ADO and SQLite do); an unknown
// column throws DatabaseError("no such column: <name>").
//
// Records every SQL text opened, so tests see the exact query.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/log_query.h"

namespace qxqy::testing {

class FakeLogQuery : public LogQuery {
 public:
  using Row = std::vector<std::optional<std::string>>;  // nullopt = null

  FakeLogQuery(std::vector<std::string> columns, std::vector<Row> rows);

  void Close() override;
  bool IsOpen() const override { return open_; }
  void SetText(std::string sql) override { text_ = std::move(sql); }
  const std::string& Text() const override { return text_; }
  void Open() override;
  bool Eof() const override;
  std::string FieldAsText(std::string_view column) override;
  void Next() override;

  void FailOpen(std::string message) { open_failure_ = std::move(message); }
  // Stepping onto row `index` (0-based; row 0 is reached by Open) throws.
  void FailAtRow(size_t index, std::string message);
  // Reading `column` on any row throws.
  void FailAtColumn(std::string column, std::string message);

  const std::vector<std::string>& OpenedTexts() const { return opened_texts_; }
  int CloseCount() const { return close_count_; }

 private:
  std::vector<std::string> columns_;
  std::vector<Row> rows_;
  std::string text_;
  bool open_ = false;
  size_t position_ = 0;
  std::optional<std::string> open_failure_;
  std::optional<size_t> failing_row_;
  std::string row_failure_;
  std::string failing_column_;
  std::string column_failure_;
  std::vector<std::string> opened_texts_;
  int close_count_ = 0;
};

}  // namespace qxqy::testing
