#include "tools/hostsim/ado_recordset.h"

#include <cwchar>
#include <limits>

#include "tools/hostsim/abi_check.h"
#include "tools/hostsim/wide_text.h"

namespace qxqy::hostsim {

namespace {

enum : DISPID { kEof = 1, kBof, kMoveNext, kClose, kFields, kState };
enum : DISPID { kCount = 1 };
enum : DISPID { kName = 1 };

void SetBstr(VARIANT* result, const std::wstring& text) {
  V_VT(result) = VT_BSTR;
  V_BSTR(result) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

// The cell as ADO would type it: the column's kind decides, but a value the
// kind cannot hold (SQLite keeps any value in any column) stays text.
void CellToVariant(const Cell& cell, ColumnKind kind, VARIANT* result) {
  if (!cell) {
    V_VT(result) = VT_NULL;
    return;
  }
  const std::wstring& text = *cell;
  FpuMaskScope own_floating_point;
  wchar_t* end = nullptr;
  if (kind == ColumnKind::kInteger && !text.empty()) {
    const long long value = std::wcstoll(text.c_str(), &end, 10);
    if (*end == L'\0') {
      if (value >= std::numeric_limits<int32_t>::min() &&
          value <= std::numeric_limits<int32_t>::max()) {
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<int32_t>(value);
      } else {
        V_VT(result) = VT_R8;
        V_R8(result) = static_cast<double>(value);
      }
      return;
    }
  }
  if (kind == ColumnKind::kFloat && !text.empty()) {
    const double value = std::wcstod(text.c_str(), &end);
    if (*end == L'\0') {
      V_VT(result) = VT_R8;
      V_R8(result) = value;
      return;
    }
  }
  SetBstr(result, text);
}

std::string ClosedMessage() { return "Operation is not allowed when the object is closed."; }

std::string NoCurrentRecordMessage() {
  return "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
         "requires a current record.";
}

std::string NotFoundMessage() {
  return "Item cannot be found in the collection corresponding to the requested name or ordinal.";
}

}  // namespace

AdoRecordset::AdoRecordset(ComRef<AdoConnection> connection, const std::wstring& sql)
    : DispatchObject("recordsets", {{L"EOF", kEof},
                                    {L"BOF", kBof},
                                    {L"MoveNext", kMoveNext},
                                    {L"Close", kClose},
                                    {L"Fields", kFields},
                                    {L"State", kState},
                                    {L"", DISPID_VALUE}}),
      connection_(std::move(connection)) {
  auto statement = std::make_unique<OdbcStatement>(connection_->odbc(), sql);
  if (statement->columns().empty()) return;  // no rows: ADO hands back a closed recordset
  statement_ = std::move(statement);
  Advance();
  before_first_ = at_end_;
}

void AdoRecordset::RequireOpen() const {
  if (!statement_) throw ComError(kAdoClosed, ClosedMessage());
}

void AdoRecordset::Advance() {
  at_end_ = !statement_->Fetch(row_);
  if (at_end_) row_.clear();
}

void AdoRecordset::Close() {
  RequireOpen();
  statement_.reset();
  row_.clear();
  at_end_ = true;
}

size_t AdoRecordset::ColumnCount() const {
  RequireOpen();
  return statement_->columns().size();
}

const std::wstring& AdoRecordset::ColumnName(size_t column) const {
  RequireOpen();
  return statement_->columns().at(column).name;
}

size_t AdoRecordset::FindColumn(const std::wstring& name) const {
  RequireOpen();
  const auto& columns = statement_->columns();
  for (size_t i = 0; i < columns.size(); ++i) {
    if (_wcsicmp(columns[i].name.c_str(), name.c_str()) == 0) return i;
  }
  throw ComError(kAdoNotFound, NotFoundMessage());
}

void AdoRecordset::ReadValue(size_t column, VARIANT* result) const {
  RequireOpen();
  if (at_end_) throw ComError(kAdoNoCurrentRecord, NoCurrentRecordMessage());
  if (result) CellToVariant(row_.at(column), statement_->columns().at(column).kind, result);
}

void AdoRecordset::InvokeMember(DISPID id, WORD, const std::vector<VARIANT*>& args,
                                VARIANT* result) {
  switch (id) {
    case kEof:
    case kBof:
      RequireOpen();
      if (result) {
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = (id == kEof ? at_end_ : before_first_) ? VARIANT_TRUE : VARIANT_FALSE;
      }
      return;
    case kMoveNext:
      RequireOpen();
      if (at_end_) throw ComError(kAdoNoCurrentRecord, NoCurrentRecordMessage());
      Advance();
      return;
    case kClose:
      Close();
      return;
    case kState:
      if (result) {
        V_VT(result) = VT_I4;
        V_I4(result) = statement_ ? 1 : 0;
      }
      return;
    case kFields:
    case DISPID_VALUE: {
      RequireOpen();
      if (args.empty()) {
        auto fields = ComRef<AdoFields>::Adopt(new AdoFields(*this));
        ReturnObject(fields.get(), result);
      } else {  // rs(name) and rs.Fields(name) are rs.Fields.Item(name)
        auto field =
            ComRef<AdoField>::Adopt(new AdoField(*this, FindColumn(ArgumentText(args[0]))));
        ReturnObject(field.get(), result);
      }
      return;
    }
  }
}

AdoFields::AdoFields(AdoRecordset& recordset)
    : DispatchObject("fields-collections", {{L"Item", DISPID_VALUE}, {L"Count", kCount}}),
      recordset_(ComRef<AdoRecordset>::Share(&recordset)) {}

void AdoFields::InvokeMember(DISPID id, WORD, const std::vector<VARIANT*>& args, VARIANT* result) {
  if (id == kCount) {
    if (result) {
      V_VT(result) = VT_I4;
      V_I4(result) = static_cast<LONG>(recordset_->ColumnCount());
    }
    return;
  }
  if (args.empty()) throw ComError(DISP_E_BADPARAMCOUNT, "Item needs a name or an index");
  size_t column = 0;
  VARIANT index;
  VariantInit(&index);
  const bool by_name = (V_VT(args[0]) & VT_TYPEMASK) == VT_BSTR;
  if (!by_name && SUCCEEDED(VariantChangeType(&index, args[0], 0, VT_I4))) {
    if (V_I4(&index) < 0 || size_t(V_I4(&index)) >= recordset_->ColumnCount()) {
      throw ComError(kAdoNotFound, NotFoundMessage());
    }
    column = static_cast<size_t>(V_I4(&index));
  } else {
    column = recordset_->FindColumn(ArgumentText(args[0]));
  }
  auto field = ComRef<AdoField>::Adopt(new AdoField(*recordset_.get(), column));
  ReturnObject(field.get(), result);
}

AdoField::AdoField(AdoRecordset& recordset, size_t column)
    : DispatchObject("fields", {{L"Value", DISPID_VALUE}, {L"Name", kName}}),
      recordset_(ComRef<AdoRecordset>::Share(&recordset)),
      column_(column) {}

void AdoField::InvokeMember(DISPID id, WORD, const std::vector<VARIANT*>&, VARIANT* result) {
  if (id == kName) {
    if (result) SetBstr(result, recordset_->ColumnName(column_));
    return;
  }
  recordset_->ReadValue(column_, result);
}

}  // namespace qxqy::hostsim
