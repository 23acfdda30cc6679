#include "base/testing/fake_log_query.h"

#include "base/error.h"
#include "base/text.h"

namespace qxqy::testing {

FakeLogQuery::FakeLogQuery(std::vector<std::string> columns, std::vector<Row> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

void FakeLogQuery::Close() {
  if (open_) ++close_count_;
  open_ = false;
}

void FakeLogQuery::Open() {
  Close();
  opened_texts_.push_back(text_);
  if (open_failure_) throw DatabaseError(*open_failure_);
  open_ = true;
  position_ = 0;
  if (failing_row_ == 0 && !rows_.empty()) throw DatabaseError(row_failure_);
}

bool FakeLogQuery::Eof() const { return !open_ || position_ >= rows_.size(); }

std::string FakeLogQuery::FieldAsText(std::string_view column) {
  if (Eof()) throw DatabaseError("No current row");
  if (!failing_column_.empty() && SameTextIgnoreCase(column, failing_column_)) {
    throw DatabaseError(column_failure_);
  }
  for (size_t i = 0; i < columns_.size(); ++i) {
    if (!SameTextIgnoreCase(columns_[i], column)) continue;
    const Row& row = rows_[position_];
    return i < row.size() && row[i] ? *row[i] : std::string();
  }
  throw DatabaseError("no such column: " + std::string(column));
}

void FakeLogQuery::Next() {
  if (!open_) throw DatabaseError("The query is not open");
  if (Eof()) return;
  ++position_;
  if (failing_row_ && position_ == *failing_row_ && position_ < rows_.size()) {
    throw DatabaseError(row_failure_);
  }
}

void FakeLogQuery::FailAtRow(size_t index, std::string message) {
  failing_row_ = index;
  row_failure_ = std::move(message);
}

void FakeLogQuery::FailAtColumn(std::string column, std::string message) {
  failing_column_ = std::move(column);
  column_failure_ = std::move(message);
}

}  // namespace qxqy::testing
