// A query without parameters over the host's open log database. The plug-in
// only opens and closes queries; the connection belongs to the host and is
// never opened, closed or freed here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace qxqy {

class LogQuery {
 public:
  virtual ~LogQuery() = default;

  // Closes the query if it is open; harmless when closed.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual void SetText(std::string sql) = 0;
  virtual const std::string& Text() const = 0;
  // Runs the query and stands on its first row. Throws DatabaseError.
  virtual void Open() = 0;
  // True once the query has passed its last row (at once for no rows), and
  // while it is closed.
  virtual bool Eof() const = 0;
  // The current row's value of the named column as text; empty for null.
  // Throws DatabaseError for an unknown column.
  virtual std::string FieldAsText(std::string_view column) = 0;
  // The same value without a copy where the backend can hand out its own
  // storage (the default keeps a copy in the query). The view is valid
  // until the next call of any member of this query.
  virtual std::string_view FieldText(std::string_view column) {
    field_text_ = FieldAsText(column);
    return field_text_;
  }
  // Steps to the next row. Throws DatabaseError.
  virtual void Next() = 0;

 private:
  std::string field_text_;  // what the default FieldText hands out
};

// Creates a query bound to the connection behind the host's 32-bit handle.
// Windows: the handle is an automation (IDispatch) reference to an
// ADO-compatible Connection. Native: a handle from RegisterSqliteConnection.
// A zero or unknown handle gives a query whose Open() fails with a clear message.
std::unique_ptr<LogQuery> CreateLogQuery(uint32_t connection_handle);

}  // namespace qxqy
