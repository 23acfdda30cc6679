#include "base/win32/testing/fake_connection.h"

#include <windows.h>
// windows.h first: the automation headers build on it.
#include <oleauto.h>

#include <algorithm>
#include <cwctype>
#include <functional>
#include <memory>

namespace qxqy::win32::testing {

namespace {

bool SameName(const std::wstring& a, const wchar_t* b) {
  if (a.size() != wcslen(b)) return false;
  return std::equal(a.begin(), a.end(), b,
                    [](wchar_t x, wchar_t y) { return towlower(x) == towlower(y); });
}

BSTR Text(const std::wstring& text) {
  return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

HRESULT STDAPICALLTYPE FillDeferredDescription(EXCEPINFO* info) {
  info->bstrDescription = SysAllocString(L"deferred: disk I/O error");
  return S_OK;
}

HRESULT Fail(EXCEPINFO* info, const std::wstring& description, FakeFailure how) {
  if (info == nullptr) return DISP_E_EXCEPTION;
  *info = EXCEPINFO{};
  info->scode = E_FAIL;
  info->bstrSource = Text(L"FakeDatabase");
  switch (how) {
    case FakeFailure::kDescribed:
      info->bstrDescription = Text(description);
      break;
    case FakeFailure::kDeferredDescription:
      // The description arrives only when the caller asks for it.
      info->pfnDeferredFillIn = &FillDeferredDescription;
      break;
    case FakeFailure::kNoDescription:
      break;
  }
  return DISP_E_EXCEPTION;
}

// IDispatch by a table of member names; each object answers Invoke itself.
class FakeObject : public IDispatch {
 public:
  FakeObject(FakeConnectionStats* stats, std::vector<std::wstring> members, bool counted)
      : stats_(stats), members_(std::move(members)), counted_(counted) {
    if (counted_) ++stats_->live_objects;
  }
  virtual ~FakeObject() {
    if (counted_) --stats_->live_objects;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    ++stats_->id_lookups;
    if (count != 1) return E_INVALIDARG;
    for (size_t i = 0; i < members_.size(); ++i) {
      if (SameName(members_[i], names[0])) {
        ids[0] = static_cast<DISPID>(i + 1);
        return S_OK;
      }
    }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* info, UINT*) override {
    if (id < 1 || id > static_cast<DISPID>(members_.size())) return DISP_E_MEMBERNOTFOUND;
    if (result != nullptr) VariantInit(result);
    return Member(members_[id - 1], flags, parameters, result, info);
  }

 protected:
  virtual HRESULT Member(const std::wstring& name, WORD flags, DISPPARAMS* parameters,
                         VARIANT* result, EXCEPINFO* info) = 0;

  static HRESULT ReturnObject(VARIANT* result, IDispatch* object) {
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = object;  // the caller receives our one reference
    return S_OK;
  }
  static const VARIANT* OnlyArgument(const DISPPARAMS* parameters) {
    return parameters != nullptr && parameters->cArgs == 1 ? &parameters->rgvarg[0] : nullptr;
  }

  FakeConnectionStats* stats_;

 private:
  std::vector<std::wstring> members_;
  bool counted_;
  ULONG references_ = 1;
};

// The data of one Execute, shared by the recordset and its fields.
struct Cursor {
  const FakeTable* table;
  size_t row = 0;
  bool Eof() const { return row >= table->rows.size(); }
};

class FakeField : public FakeObject {
 public:
  FakeField(FakeConnectionStats* stats, std::shared_ptr<Cursor> cursor, size_t column)
      : FakeObject(stats, {L"Value", L"Name"}, true), cursor_(std::move(cursor)), column_(column) {}

 private:
  HRESULT Member(const std::wstring& name, WORD, DISPPARAMS*, VARIANT* result,
                 EXCEPINFO* info) override {
    if (name != L"Value") return DISP_E_MEMBERNOTFOUND;
    stats_->field_calls.push_back(L"Value " + cursor_->table->columns[column_]);
    if (cursor_->Eof()) return Fail(info, L"Either BOF or EOF is True", FakeFailure::kDescribed);
    const FakeValue& value = cursor_->table->rows[cursor_->row][column_];
    if (std::holds_alternative<std::monostate>(value)) {
      V_VT(result) = VT_NULL;
    } else if (const auto* text = std::get_if<std::wstring>(&value)) {
      V_VT(result) = VT_BSTR;
      V_BSTR(result) = Text(*text);
    } else {
      V_VT(result) = VT_I4;
      V_I4(result) = std::get<int>(value);
    }
    return S_OK;
  }

  std::shared_ptr<Cursor> cursor_;
  size_t column_;
};

class FakeFields : public FakeObject {
 public:
  FakeFields(FakeConnectionStats* stats, std::shared_ptr<Cursor> cursor)
      : FakeObject(stats, {L"Count", L"Item"}, true), cursor_(std::move(cursor)) {}

 private:
  HRESULT Member(const std::wstring& name, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                 EXCEPINFO* info) override {
    if (name != L"Item") return DISP_E_MEMBERNOTFOUND;
    ++stats_->item_calls;
    // Item is both a method and the default property: callers must allow both.
    if ((flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) !=
        (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) {
      return DISP_E_MEMBERNOTFOUND;
    }
    const VARIANT* key = OnlyArgument(parameters);
    if (key == nullptr || V_VT(key) != VT_BSTR) return DISP_E_TYPEMISMATCH;
    stats_->field_calls.push_back(std::wstring(L"Item ") + V_BSTR(key));
    const auto& columns = cursor_->table->columns;
    for (size_t i = 0; i < columns.size(); ++i) {
      if (SameName(columns[i], V_BSTR(key))) {
        return ReturnObject(result, new FakeField(stats_, cursor_, i));
      }
    }
    return Fail(info,
                L"Item cannot be found in the collection corresponding to the requested name "
                L"or ordinal.",
                FakeFailure::kDescribed);
  }

  std::shared_ptr<Cursor> cursor_;
};

class FakeRecordset : public FakeObject {
 public:
  FakeRecordset(FakeConnectionStats* stats, const FakeTable* table)
      : FakeObject(stats, {L"EOF", L"Fields", L"MoveNext", L"Close"}, true),
        cursor_(std::make_shared<Cursor>(Cursor{table})) {}

 private:
  HRESULT Member(const std::wstring& name, WORD, DISPPARAMS*, VARIANT* result,
                 EXCEPINFO* info) override {
    if (name == L"EOF") {
      V_VT(result) = VT_BOOL;
      V_BOOL(result) = cursor_->Eof() ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    }
    if (name == L"Fields") return ReturnObject(result, new FakeFields(stats_, cursor_));
    if (name == L"MoveNext") {
      if (cursor_->Eof()) return Fail(info, L"Either BOF or EOF is True", FakeFailure::kDescribed);
      ++cursor_->row;
      return S_OK;
    }
    ++stats_->closes;
    return S_OK;
  }

  std::shared_ptr<Cursor> cursor_;
};

class FakeConnection : public FakeObject {
 public:
  FakeConnection(FakeTable table, FakeConnectionStats* stats, std::wstring failing_table,
                 FakeFailure failure)
      : FakeObject(stats, {L"Execute", L"Close"}, false),
        table_(std::move(table)),
        failing_table_(std::move(failing_table)),
        failure_(failure) {}

 private:
  HRESULT Member(const std::wstring& name, WORD, DISPPARAMS* parameters, VARIANT* result,
                 EXCEPINFO* info) override {
    if (name != L"Execute") return E_UNEXPECTED;  // the plug-in never closes the connection
    const VARIANT* sql = OnlyArgument(parameters);
    if (sql == nullptr || V_VT(sql) != VT_BSTR) return DISP_E_TYPEMISMATCH;
    ++stats_->executes;
    stats_->last_sql = V_BSTR(sql);
    if (!failing_table_.empty() && stats_->last_sql.find(failing_table_) != std::wstring::npos) {
      return Fail(info, L"no such table: " + failing_table_, failure_);
    }
    return ReturnObject(result, new FakeRecordset(stats_, &table_));
  }

  FakeTable table_;
  std::wstring failing_table_;
  FakeFailure failure_;
};

}  // namespace

IDispatch* CreateFakeConnection(FakeTable table, FakeConnectionStats* stats,
                                std::wstring failing_table, FakeFailure failure) {
  return new FakeConnection(std::move(table), stats, std::move(failing_table), failure);
}

}  // namespace qxqy::win32::testing
