#include "tools/hostsim/ado_connection.h"

#include "tools/hostsim/ado_recordset.h"
#include "tools/hostsim/wide_text.h"

namespace qxqy::hostsim {

namespace {

enum : DISPID { kExecute = 1, kState = 2, kClose = 3 };

constexpr wchar_t kClosedMessage[] = L"Operation is not allowed when the object is closed.";

}  // namespace

AdoConnection::AdoConnection(Notice notice)
    : DispatchObject("connections",
                     {{L"Execute", kExecute}, {L"State", kState}, {L"Close", kClose}}),
      notice_(std::move(notice)) {}

ComRef<AdoConnection> AdoConnection::Open(const std::string& database_path, Notice notice,
                                          std::string& open_error, bool row_by_row) {
  auto connection = ComRef<AdoConnection>::Adopt(new AdoConnection(std::move(notice)));
  open_error.clear();
  try {
    connection->odbc_ = std::make_unique<OdbcConnection>(L"Driver={SQLite3};Database=" +
                                                         WideFromUtf8(database_path) +
                                                         (row_by_row ? L";StepAPI=1" : L""));
  } catch (const DatabaseError& error) {
    open_error = error.what();
  }
  return connection;
}

const OdbcConnection& AdoConnection::odbc() const {
  if (!odbc_) throw ComError(kAdoClosed, Utf8FromWide(kClosedMessage));
  return *odbc_;
}

long AdoConnection::ExecuteForHost(const std::string& sql) {
  OdbcStatement statement(odbc(), WideFromUtf8(sql));
  return statement.RowsAffected();
}

void AdoConnection::InvokeMember(DISPID id, WORD flags, const std::vector<VARIANT*>& args,
                                 VARIANT* result) {
  switch (id) {
    case kExecute: {
      if (!IsMethodCall(flags)) throw ComError(DISP_E_MEMBERNOTFOUND, "Execute is a method");
      if (args.empty()) throw ComError(DISP_E_BADPARAMCOUNT, "Execute needs the command text");
      const std::wstring sql = ArgumentText(args[0]);
      odbc();  // a closed connection fails before anything runs
      auto recordset =
          ComRef<AdoRecordset>::Adopt(new AdoRecordset(ComRef<AdoConnection>::Share(this), sql));
      ReturnObject(recordset.get(), result);
      return;
    }
    case kState:
      if (result) {
        V_VT(result) = VT_I4;
        V_I4(result) = is_open() ? 1 : 0;
      }
      return;
    case kClose:
      odbc();
      odbc_.reset();
      if (notice_) notice_("the plug-in closed the host's connection");
      return;
  }
}

}  // namespace qxqy::hostsim
