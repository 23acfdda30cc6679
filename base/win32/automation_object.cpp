#include "base/win32/automation_object.h"

#include <cwchar>

#include "base/error.h"
#include "base/win32/win32_error.h"

namespace qxqy::win32 {

AutomationObject AutomationObject::Adopt(IDispatch* object) {
  AutomationObject result;
  result.object_ = object;
  result.owned_ = ComPtr<IDispatch>::Adopt(object);
  return result;
}

AutomationObject AutomationObject::Borrow(IDispatch* object) {
  AutomationObject result;
  result.object_ = object;
  return result;
}

AutomationObject::~AutomationObject() = default;

DISPID AutomationObject::Id(const wchar_t* name) {
  const auto found = ids_.find(name);
  if (found != ids_.end()) return found->second;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  const HRESULT result = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(result)) {
    ThrowDatabaseError("Finding member " + NarrowText(name, static_cast<int>(wcslen(name))), result,
                       nullptr);
  }
  ids_.emplace(name, id);
  return id;
}

UniqueVariant AutomationObject::Get(DISPID member, const wchar_t* name, VARIANT* argument) {
  return Invoke(member, name, DISPATCH_PROPERTYGET, argument);
}

UniqueVariant AutomationObject::Call(DISPID member, const wchar_t* name, VARIANT* argument,
                                     WORD flags) {
  return Invoke(member, name, flags, argument);
}

UniqueVariant AutomationObject::Invoke(DISPID member, const wchar_t* name, WORD flags,
                                       VARIANT* argument) {
  DISPPARAMS parameters{argument, nullptr, argument != nullptr ? 1u : 0u, 0};
  UniqueVariant result;
  UniqueExcepInfo exception;
  UINT bad_argument = 0;
  const HRESULT status = object_->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                                         result.out(), exception.out(), &bad_argument);
  if (FAILED(status)) {
    const EXCEPINFO* info = status == DISP_E_EXCEPTION ? &exception.Filled() : nullptr;
    ThrowDatabaseError(NarrowText(name, static_cast<int>(wcslen(name))), status, info);
  }
  return result;
}

AutomationObject AutomationObject::FromVariant(UniqueVariant value, const wchar_t* what) {
  VARIANT& raw = value.get();
  if (V_VT(&raw) != VT_DISPATCH || V_DISPATCH(&raw) == nullptr) {
    throw DatabaseError("The database gave no " + NarrowText(what, static_cast<int>(wcslen(what))) +
                        " object");
  }
  IDispatch* object = V_DISPATCH(&raw);
  V_VT(&raw) = VT_EMPTY;  // the reference moves to the new owner
  return Adopt(object);
}

UniqueVariant TextVariant(std::string_view text) {
  const std::wstring wide = WidenText(std::string(text));
  UniqueVariant value;
  V_BSTR(value.out()) = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (V_BSTR(&value.get()) == nullptr) throw DatabaseError("Out of memory for a query text");
  V_VT(&value.get()) = VT_BSTR;
  return value;
}

std::string VariantText(const VARIANT& value) {
  if (V_VT(&value) == VT_NULL || V_VT(&value) == VT_EMPTY) return std::string();
  if (V_VT(&value) == VT_BSTR) {
    return NarrowText(V_BSTR(&value), static_cast<int>(SysStringLen(V_BSTR(&value))));
  }
  UniqueVariant text;
  const HRESULT result = VariantChangeType(text.out(), const_cast<VARIANT*>(&value), 0, VT_BSTR);
  if (FAILED(result)) ThrowDatabaseError("Converting a value to text", result, nullptr);
  return NarrowText(V_BSTR(&text.get()), static_cast<int>(SysStringLen(V_BSTR(&text.get()))));
}

}  // namespace qxqy::win32
