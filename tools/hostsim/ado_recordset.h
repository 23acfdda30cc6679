// The Recordset, Fields and Field objects that Connection.Execute returns.
//
//   Recordset.EOF, .BOF, .State     properties
//   Recordset.MoveNext(), .Close()  methods
//   Recordset.Fields                -> Fields (also the default member)
//   Fields.Item(name or index)      -> Field (property get or method; default)
//   Fields.Count
//   Field.Value (default), Field.Name
//
// Rows are read from ODBC one at a time. A Field reads the recordset's
// current row when its Value is asked for, as ADO's fields do. Values: text
// as VT_BSTR, integers as VT_I4 (VT_R8 beyond 32 bits), floating-point numbers
// as VT_R8, NULL as VT_NULL. Past the last row, on a closed recordset and for
// an unknown column the members raise ADO's errors.
//
// Each Fields and Field object holds a reference to its recordset, and each
// recordset one to its connection.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/hostsim/ado_connection.h"
#include "tools/hostsim/com_ref.h"
#include "tools/hostsim/dispatch_object.h"
#include "tools/hostsim/odbc.h"

namespace qxqy::hostsim {

class AdoRecordset : public DispatchObject {
 public:
  // Runs `sql`; stands on the first row. Throws DatabaseError.
  AdoRecordset(ComRef<AdoConnection> connection, const std::wstring& sql);

  // The index of the column called `name` (letter case ignored); throws ComError.
  size_t FindColumn(const std::wstring& name) const;
  size_t ColumnCount() const;
  const std::wstring& ColumnName(size_t column) const;
  // The current row's value of `column`; throws ComError when there is none.
  void ReadValue(size_t column, VARIANT* result) const;

 private:
  void InvokeMember(DISPID id, WORD flags, const std::vector<VARIANT*>& args,
                    VARIANT* result) override;
  void RequireOpen() const;
  void Advance();
  void Close();

  ComRef<AdoConnection> connection_;
  std::unique_ptr<OdbcStatement> statement_;  // null once closed
  std::vector<Cell> row_;
  bool at_end_ = true;
  bool before_first_ = false;
};

class AdoFields : public DispatchObject {
 public:
  explicit AdoFields(AdoRecordset& recordset);

 private:
  void InvokeMember(DISPID id, WORD flags, const std::vector<VARIANT*>& args,
                    VARIANT* result) override;
  ComRef<AdoRecordset> recordset_;
};

class AdoField : public DispatchObject {
 public:
  AdoField(AdoRecordset& recordset, size_t column);

 private:
  void InvokeMember(DISPID id, WORD flags, const std::vector<VARIANT*>& args,
                    VARIANT* result) override;
  ComRef<AdoRecordset> recordset_;
  size_t column_;
};

}  // namespace qxqy::hostsim
