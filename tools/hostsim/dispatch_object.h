// The base of the simulator's automation objects: IUnknown and IDispatch with
// a table of member names, for late binding only (no type information).
//
// Reference counting: an object starts with one reference, held by whoever
// made it (normally a ComRef); it deletes itself at the last Release.
// Members report failures by throwing ComError (or qxqy::Error, reported as
// E_FAIL); Invoke turns them into DISP_E_EXCEPTION with the message in
// EXCEPINFO.bstrDescription, as an automation server does. Objects are used on
// the thread that made them only.
#pragma once

#include <windows.h>
// clang-format off
#include <oaidl.h>
// clang-format on

#include <map>
#include <string>
#include <vector>

#include "base/error.h"

namespace qxqy::hostsim {

class ComError : public Error {
 public:
  ComError(HRESULT code, const std::string& message) : Error(message), code_(code) {}
  HRESULT code() const { return code_; }

 private:
  HRESULT code_;
};

// The error codes an ADO client sees.
constexpr HRESULT kAdoNotFound = static_cast<HRESULT>(0x800A0CC1);         // no such item
constexpr HRESULT kAdoNoCurrentRecord = static_cast<HRESULT>(0x800A0BCD);  // BOF or EOF
constexpr HRESULT kAdoClosed = static_cast<HRESULT>(0x800A0E78);           // object closed

class DispatchObject : public IDispatch {
 public:
  struct Member {
    const wchar_t* name;
    DISPID id;
  };

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument_error) override;

  // Objects of each kind alive now, by kind name ("Connection", ...).
  static const std::map<std::string, int>& LiveObjects();

 protected:
  DispatchObject(std::string kind, std::vector<Member> members);
  virtual ~DispatchObject();

  // Runs member `id`; `args` are in call order (the first argument first).
  // `result` may be null when the caller wants none.
  virtual void InvokeMember(DISPID id, WORD flags, const std::vector<VARIANT*>& args,
                            VARIANT* result) = 0;

 private:
  ULONG references_ = 1;
  std::string kind_;
  std::vector<Member> members_;
};

// Helpers for members.
bool IsPropertyGet(WORD flags);
bool IsMethodCall(WORD flags);
// The argument as text (any type that converts); throws ComError otherwise.
std::wstring ArgumentText(VARIANT* argument);
// Stores an object reference in `result` (if any), adding a reference.
void ReturnObject(IDispatch* object, VARIANT* result);

}  // namespace qxqy::hostsim
