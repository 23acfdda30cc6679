#include "tools/hostsim/odbc.h"

#include <windows.h>
// clang-format off
#include <sql.h>
#include <sqlext.h>
// clang-format on

#include "base/error.h"
#include "tools/hostsim/wide_text.h"

namespace qxqy::hostsim {

static_assert(SQL_HANDLE_ENV == 1 && SQL_HANDLE_DBC == 2 && SQL_HANDLE_STMT == 3);

namespace odbc_detail {
template <short kHandleType>
void Traits<kHandleType>::Close(Handle handle) noexcept {
  SQLFreeHandle(kHandleType, handle);
}
template struct Traits<SQL_HANDLE_ENV>;
template struct Traits<SQL_HANDLE_DBC>;
template struct Traits<SQL_HANDLE_STMT>;
}  // namespace odbc_detail

namespace {

SQLWCHAR* Sql(const std::wstring& text) {
  return reinterpret_cast<SQLWCHAR*>(const_cast<wchar_t*>(text.c_str()));
}

// The first diagnostic record of `handle`, or a generic text when the driver
// left none.
std::string DriverMessage(SQLSMALLINT type, SQLHANDLE handle, SQLRETURN code) {
  wchar_t state[6] = {};
  wchar_t message[1024] = {};
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  const SQLRETURN found = SQLGetDiagRecW(type, handle, 1, reinterpret_cast<SQLWCHAR*>(state),
                                         &native, reinterpret_cast<SQLWCHAR*>(message),
                                         SQLSMALLINT(std::size(message)), &length);
  if (SQL_SUCCEEDED(found) && message[0] != L'\0') return Utf8FromWide(message);
  return "ODBC call failed with code " + std::to_string(code);
}

void Check(SQLRETURN code, SQLSMALLINT type, SQLHANDLE handle) {
  if (!SQL_SUCCEEDED(code)) throw DatabaseError(DriverMessage(type, handle, code));
}

ColumnKind KindOf(SQLSMALLINT data_type) {
  switch (data_type) {
    case SQL_INTEGER:
    case SQL_SMALLINT:
    case SQL_TINYINT:
    case SQL_BIGINT:
    case SQL_BIT:
      return ColumnKind::kInteger;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_NUMERIC:
    case SQL_DECIMAL:
      return ColumnKind::kFloat;
    default:
      return ColumnKind::kText;
  }
}

}  // namespace

OdbcConnection::OdbcConnection(const std::wstring& connection_string) {
  SQLHANDLE handle = SQL_NULL_HANDLE;
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handle))) {
    throw DatabaseError("cannot allocate an ODBC environment");
  }
  environment_.reset(handle);
  Check(SQLSetEnvAttr(handle, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
        SQL_HANDLE_ENV, handle);
  Check(SQLAllocHandle(SQL_HANDLE_DBC, environment_.get(), &handle), SQL_HANDLE_ENV,
        environment_.get());
  connection_.reset(handle);
  wchar_t completed[1024];
  SQLSMALLINT completed_length = 0;
  Check(SQLDriverConnectW(handle, nullptr, Sql(connection_string), SQL_NTS,
                          reinterpret_cast<SQLWCHAR*>(completed), SQLSMALLINT(std::size(completed)),
                          &completed_length, SQL_DRIVER_NOPROMPT),
        SQL_HANDLE_DBC, handle);
}

OdbcConnection::~OdbcConnection() {
  if (connection_) SQLDisconnect(connection_.get());
}

OdbcStatement::OdbcStatement(const OdbcConnection& connection, const std::wstring& sql) {
  SQLHANDLE handle = SQL_NULL_HANDLE;
  Check(SQLAllocHandle(SQL_HANDLE_STMT, connection.handle(), &handle), SQL_HANDLE_DBC,
        connection.handle());
  statement_.reset(handle);
  const SQLRETURN executed = SQLExecDirectW(handle, Sql(sql), SQL_NTS);
  if (executed != SQL_NO_DATA) Check(executed, SQL_HANDLE_STMT, handle);

  SQLSMALLINT count = 0;
  Check(SQLNumResultCols(handle, &count), SQL_HANDLE_STMT, handle);
  for (SQLUSMALLINT column = 1; column <= count; ++column) {
    wchar_t name[256] = {};
    SQLSMALLINT name_length = 0, data_type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    Check(SQLDescribeColW(handle, column, reinterpret_cast<SQLWCHAR*>(name),
                          SQLSMALLINT(std::size(name)), &name_length, &data_type, &size, &digits,
                          &nullable),
          SQL_HANDLE_STMT, handle);
    columns_.push_back({name, KindOf(data_type)});
  }
}

bool OdbcStatement::Fetch(std::vector<Cell>& row) {
  const SQLRETURN fetched = SQLFetch(statement_.get());
  if (fetched == SQL_NO_DATA) return false;
  Check(fetched, SQL_HANDLE_STMT, statement_.get());
  row.clear();
  for (size_t column = 1; column <= columns_.size(); ++column) {
    row.push_back(ReadCell(static_cast<unsigned short>(column)));
  }
  return true;
}

Cell OdbcStatement::ReadCell(unsigned short column) {
  std::wstring value;
  wchar_t chunk[512];
  constexpr SQLLEN kChunkBytes = sizeof chunk;
  while (true) {
    SQLLEN indicator = 0;
    const SQLRETURN got =
        SQLGetData(statement_.get(), column, SQL_C_WCHAR, chunk, kChunkBytes, &indicator);
    if (got == SQL_NO_DATA) break;
    Check(got, SQL_HANDLE_STMT, statement_.get());
    if (indicator == SQL_NULL_DATA) return std::nullopt;
    const bool cut = indicator == SQL_NO_TOTAL || indicator >= kChunkBytes;
    const size_t chars = cut ? std::size(chunk) - 1 : size_t(indicator) / sizeof(wchar_t);
    value.append(chunk, chars);
    if (got == SQL_SUCCESS) break;
  }
  return value;
}

long OdbcStatement::RowsAffected() const {
  SQLLEN rows = -1;
  if (!SQL_SUCCEEDED(SQLRowCount(statement_.get(), &rows))) return -1;
  return static_cast<long>(rows);
}

}  // namespace qxqy::hostsim
