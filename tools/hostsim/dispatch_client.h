// Late-bound calls on an IDispatch, made the way a plug-in makes them
// (GetIDsOfNames, then Invoke). Used by the stub plug-in and the tests of the
// simulator's Connection; the simulator itself only serves such calls.
#pragma once

#include <windows.h>
// clang-format off
#include <oaidl.h>
// clang-format on

#include <string>
#include <vector>

#include "base/error.h"
#include "tools/hostsim/com_ref.h"

namespace qxqy::hostsim {

// A failed call: the HRESULT, and as the message the server's
// EXCEPINFO.bstrDescription (or a text naming the HRESULT when it gave none).
class DispatchCallError : public Error {
 public:
  DispatchCallError(HRESULT code, const std::string& message) : Error(message), code_(code) {}
  HRESULT code() const { return code_; }

 private:
  HRESULT code_;
};

// A VARIANT that clears itself; move-only.
class OwnedVariant {
 public:
  OwnedVariant() { VariantInit(&value_); }
  ~OwnedVariant() { VariantClear(&value_); }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;
  OwnedVariant(OwnedVariant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }

  static OwnedVariant Text(const std::wstring& text);
  static OwnedVariant Int(long value);

  VARIANT* get() { return &value_; }
  const VARIANT& value() const { return value_; }
  VARTYPE type() const { return V_VT(&value_); }

  // The value as text (VariantChangeType to VT_BSTR); empty for VT_NULL and
  // VT_EMPTY. Throws DispatchCallError when it does not convert.
  std::wstring AsText() const;
  bool AsBool() const;
  // The object it holds, with a reference of its own; throws when none.
  ComRef<IDispatch> AsObject() const;

 private:
  VARIANT value_;
};

// Invokes `member` of `object` with `flags`; `args` in call order, borrowed.
// Throws DispatchCallError.
OwnedVariant InvokeByName(IDispatch* object, const wchar_t* member, WORD flags,
                          std::vector<VARIANT*> args = {});

}  // namespace qxqy::hostsim
