// Late binding to an automation (IDispatch) object: member names resolved
// to DISPIDs once per object and remembered, calls made with Invoke. Every
// failure throws DatabaseError with the object's own description (from its
// EXCEPINFO) or a clear text for the HRESULT.
//
// Ownership: an AutomationObject holds one reference to its object (or, for
// a borrowed object such as the host's connection, none: see Borrow) and
// releases what it holds when it goes. Values returned are owned by the caller.
#pragma once

#include <windows.h>
// windows.h first: the automation headers build on it.
#include <oaidl.h>

#include <map>
#include <string>
#include <string_view>

#include "base/win32/handles.h"

namespace qxqy::win32 {

class AutomationObject {
 public:
  AutomationObject() = default;
  // Takes over one reference the caller owns.
  static AutomationObject Adopt(IDispatch* object);
  // Uses an object that the caller keeps alive, without taking a reference.
  static AutomationObject Borrow(IDispatch* object);
  AutomationObject(AutomationObject&&) noexcept = default;
  AutomationObject& operator=(AutomationObject&&) noexcept = default;
  ~AutomationObject();

  explicit operator bool() const { return object_ != nullptr; }
  IDispatch* get() const { return object_; }

  // The DISPID of member `name`, resolved once.
  DISPID Id(const wchar_t* name);

  // Reads a property; `argument` (if not null) is the one index argument.
  UniqueVariant Get(DISPID member, const wchar_t* name, VARIANT* argument = nullptr);
  // Calls a method with zero or one argument; `flags` may add DISPATCH_PROPERTYGET
  // for members that are both (a collection's Item).
  UniqueVariant Call(DISPID member, const wchar_t* name, VARIANT* argument = nullptr,
                     WORD flags = DISPATCH_METHOD);
  // Takes the object out of a VARIANT holding one (VT_DISPATCH); throws
  // DatabaseError naming `what` when it holds none.
  static AutomationObject FromVariant(UniqueVariant value, const wchar_t* what);

 private:
  UniqueVariant Invoke(DISPID member, const wchar_t* name, WORD flags, VARIANT* argument);

  IDispatch* object_ = nullptr;
  ComPtr<IDispatch> owned_;
  std::map<std::wstring, DISPID> ids_;
};

// A VARIANT holding `text` (ANSI code page) as a BSTR.
UniqueVariant TextVariant(std::string_view text);

// The text of a value: empty for null and empty values, else the value
// converted to a string and then to the ANSI code page. Throws
// DatabaseError when the value has no text form.
std::string VariantText(const VARIANT& value);

}  // namespace qxqy::win32
