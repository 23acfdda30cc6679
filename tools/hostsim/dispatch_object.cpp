#include "tools/hostsim/dispatch_object.h"

#include <new>

#include "tools/hostsim/wide_text.h"

namespace qxqy::hostsim {

namespace {

std::map<std::string, int>& Counts() {
  static std::map<std::string, int> counts;
  return counts;
}

void FillException(EXCEPINFO* exception, HRESULT code, const std::string& message) {
  if (!exception) return;
  *exception = EXCEPINFO{};
  exception->scode = code;
  exception->bstrSource = SysAllocString(L"hostsim ADO");
  exception->bstrDescription = SysAllocString(WideFromUtf8(message).c_str());
}

}  // namespace

DispatchObject::DispatchObject(std::string kind, std::vector<Member> members)
    : kind_(std::move(kind)), members_(std::move(members)) {
  ++Counts()[kind_];
}

DispatchObject::~DispatchObject() { --Counts()[kind_]; }

const std::map<std::string, int>& DispatchObject::LiveObjects() { return Counts(); }

HRESULT DispatchObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DispatchObject::AddRef() { return ++references_; }

ULONG DispatchObject::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  HRESULT outcome = S_OK;
  for (UINT i = 0; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    if (i > 0) {  // named arguments: none of the members takes any
      outcome = DISP_E_UNKNOWNNAME;
      continue;
    }
    for (const auto& member : members_) {
      if (_wcsicmp(member.name, names[i]) == 0) ids[i] = member.id;
    }
    if (ids[i] == DISPID_UNKNOWN) outcome = DISP_E_UNKNOWNNAME;
  }
  return outcome;
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* exception, UINT*) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  bool known = false;
  for (const auto& member : members_) known = known || member.id == id;
  if (!known) return DISP_E_MEMBERNOTFOUND;
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return DISP_E_MEMBERNOTFOUND;
  if (params && params->cNamedArgs > 0) return DISP_E_NONAMEDARGS;

  std::vector<VARIANT*> args;
  if (params) {
    for (UINT i = params->cArgs; i > 0; --i) args.push_back(&params->rgvarg[i - 1]);
  }
  if (result) VariantInit(result);
  // Keep the object alive while its member runs, even if the member drops
  // the last outside reference.
  AddRef();
  HRESULT outcome = S_OK;
  try {
    InvokeMember(id, flags, args, result);
  } catch (const ComError& error) {
    FillException(exception, error.code(), error.what());
    outcome = DISP_E_EXCEPTION;
  } catch (const Error& error) {
    FillException(exception, E_FAIL, error.what());
    outcome = DISP_E_EXCEPTION;
  } catch (const std::bad_alloc&) {
    outcome = E_OUTOFMEMORY;
  }
  Release();
  return outcome;
}

bool IsPropertyGet(WORD flags) { return (flags & DISPATCH_PROPERTYGET) != 0; }
bool IsMethodCall(WORD flags) { return (flags & DISPATCH_METHOD) != 0; }

std::wstring ArgumentText(VARIANT* argument) {
  VARIANT text;
  VariantInit(&text);
  if (FAILED(VariantChangeType(&text, argument, 0, VT_BSTR))) {
    throw ComError(DISP_E_TYPEMISMATCH, "the argument is not a text");
  }
  std::wstring value(text.bstrVal ? text.bstrVal : L"",
                     text.bstrVal ? SysStringLen(text.bstrVal) : 0);
  VariantClear(&text);
  return value;
}

void ReturnObject(IDispatch* object, VARIANT* result) {
  if (!result) return;
  object->AddRef();
  V_VT(result) = VT_DISPATCH;
  V_DISPATCH(result) = object;
}

}  // namespace qxqy::hostsim
