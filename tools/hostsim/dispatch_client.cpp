#include "tools/hostsim/dispatch_client.h"

#include <cstdio>

namespace qxqy::hostsim {

namespace {

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text && *text; ++text) out += *text < 0x80 ? char(*text) : '?';
  return out;
}

std::string HresultText(HRESULT code) {
  char text[32];
  std::snprintf(text, sizeof text, "HRESULT 0x%08lX", static_cast<unsigned long>(code));
  return text;
}

}  // namespace

OwnedVariant OwnedVariant::Text(const std::wstring& text) {
  OwnedVariant variant;
  V_VT(&variant.value_) = VT_BSTR;
  V_BSTR(&variant.value_) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return variant;
}

OwnedVariant OwnedVariant::Int(long value) {
  OwnedVariant variant;
  V_VT(&variant.value_) = VT_I4;
  V_I4(&variant.value_) = value;
  return variant;
}

std::wstring OwnedVariant::AsText() const {
  if (type() == VT_NULL || type() == VT_EMPTY) return {};
  VARIANT text;
  VariantInit(&text);
  const HRESULT converted = VariantChangeType(&text, const_cast<VARIANT*>(&value_), 0, VT_BSTR);
  if (FAILED(converted)) throw DispatchCallError(converted, "the value does not convert to text");
  std::wstring result(V_BSTR(&text), SysStringLen(V_BSTR(&text)));
  VariantClear(&text);
  return result;
}

bool OwnedVariant::AsBool() const {
  VARIANT flag;
  VariantInit(&flag);
  const HRESULT converted = VariantChangeType(&flag, const_cast<VARIANT*>(&value_), 0, VT_BOOL);
  if (FAILED(converted)) throw DispatchCallError(converted, "the value is not a boolean");
  return V_BOOL(&flag) != VARIANT_FALSE;
}

ComRef<IDispatch> OwnedVariant::AsObject() const {
  if (type() != VT_DISPATCH || !V_DISPATCH(&value_)) {
    throw DispatchCallError(DISP_E_TYPEMISMATCH, "the value is not an object");
  }
  return ComRef<IDispatch>::Share(V_DISPATCH(&value_));
}

OwnedVariant InvokeByName(IDispatch* object, const wchar_t* member, WORD flags,
                          std::vector<VARIANT*> args) {
  if (!object) throw DispatchCallError(E_POINTER, "no object");
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR name = const_cast<LPOLESTR>(member);
  HRESULT code = object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(code)) throw DispatchCallError(code, "unknown member " + Narrow(member));

  std::vector<VARIANT> reversed;  // DISPPARAMS wants the last argument first
  for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(**it);
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  OwnedVariant result;
  EXCEPINFO exception{};
  code = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.get(), &exception,
                        nullptr);
  if (code == DISP_E_EXCEPTION) {
    const std::string message = exception.bstrDescription ? Narrow(exception.bstrDescription)
                                                          : HresultText(exception.scode);
    const HRESULT scode = exception.scode;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    throw DispatchCallError(scode, message);
  }
  if (FAILED(code)) throw DispatchCallError(code, HresultText(code) + " from " + Narrow(member));
  return result;
}

}  // namespace qxqy::hostsim
