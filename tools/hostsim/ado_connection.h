// The Connection the simulator hands to the plug-in: the subset of the ADO
// object model a late-bound client uses, over ODBC to a SQLite file.
//
//   Connection.Execute(sql [, ...])  -> Recordset (ado_recordset.h)
//   Connection.State                 -> 1 open, 0 closed
//   Connection.Close()               -> closes it (a plug-in must never do this:
//                                       the notice callback reports it)
//
// The host keeps one reference (the ComRef from Open); the plug-in may add
// and drop its own. Open recordsets hold a reference too, so the ODBC
// connection outlives them.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "tools/hostsim/com_ref.h"
#include "tools/hostsim/dispatch_object.h"
#include "tools/hostsim/odbc.h"

namespace qxqy::hostsim {

class AdoConnection : public DispatchObject {
 public:
  using Notice = std::function<void(const std::string&)>;

  // Connects to the SQLite file at `database_path`, a path the native driver
  // understands (under Wine a Unix path). When that fails the object is made
  // all the same, closed, and `open_error` receives the driver's message.
  // With `row_by_row` the driver reads each row from the database when it
  // is fetched instead of all of them at the first fetch, so a failure in
  // the middle of the rows reaches the caller after the rows before it.
  static ComRef<AdoConnection> Open(const std::string& database_path, Notice notice,
                                    std::string& open_error, bool row_by_row = false);

  bool is_open() const { return odbc_ != nullptr; }

  // The open ODBC connection; throws ComError when the connection is closed.
  const OdbcConnection& odbc() const;

  // Runs a statement for the host itself (the `sql` action); returns the rows
  // changed. Throws DatabaseError or ComError.
  long ExecuteForHost(const std::string& sql);

 private:
  explicit AdoConnection(Notice notice);
  void InvokeMember(DISPID id, WORD flags, const std::vector<VARIANT*>& args,
                    VARIANT* result) override;

  std::unique_ptr<OdbcConnection> odbc_;
  Notice notice_;
};

}  // namespace qxqy::hostsim
