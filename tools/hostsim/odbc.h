// A small ODBC client over the wide ("W") functions only: under Wine several
// ANSI ones are missing and abort the process. Every handle is owned by a
// move-only wrapper; every failure throws qxqy::DatabaseError carrying the
// driver's own message.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/hostsim/unique_handle.h"

namespace qxqy::hostsim {

namespace odbc_detail {
using Handle = void*;  // SQLHANDLE
template <short kHandleType>
struct Traits {
  using Handle = odbc_detail::Handle;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept;
};
}  // namespace odbc_detail

// An environment and a connection made with SQLDriverConnectW (no prompt),
// disconnected and freed on destruction.
class OdbcConnection {
 public:
  // Throws DatabaseError when the driver cannot connect.
  explicit OdbcConnection(const std::wstring& connection_string);
  ~OdbcConnection();
  OdbcConnection(const OdbcConnection&) = delete;
  OdbcConnection& operator=(const OdbcConnection&) = delete;

  odbc_detail::Handle handle() const { return connection_.get(); }

 private:
  UniqueHandle<odbc_detail::Traits<1>> environment_;  // SQL_HANDLE_ENV
  UniqueHandle<odbc_detail::Traits<2>> connection_;   // SQL_HANDLE_DBC
};

enum class ColumnKind { kInteger, kFloat, kText };

struct ColumnInfo {
  std::wstring name;
  ColumnKind kind = ColumnKind::kText;
};

// One cell as the driver's text form; nullopt for NULL.
using Cell = std::optional<std::wstring>;

// One executed statement (SQLExecDirectW). The connection must outlive it.
class OdbcStatement {
 public:
  // Throws DatabaseError when the statement fails.
  OdbcStatement(const OdbcConnection& connection, const std::wstring& sql);

  // The result columns; empty for a statement without rows (INSERT, ...).
  const std::vector<ColumnInfo>& columns() const { return columns_; }

  // Steps to the next row and reads every cell of it into `row`; returns
  // false past the last row. Throws DatabaseError.
  bool Fetch(std::vector<Cell>& row);

  // Rows changed by an INSERT, UPDATE or DELETE (-1 when unknown).
  long RowsAffected() const;

 private:
  Cell ReadCell(unsigned short column);

  UniqueHandle<odbc_detail::Traits<3>> statement_;  // SQL_HANDLE_STMT
  std::vector<ColumnInfo> columns_;
};

}  // namespace qxqy::hostsim
