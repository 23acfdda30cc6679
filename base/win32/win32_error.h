// The one place where the operating system's and COM's error codes become
// the plug-in's exceptions (framework/error.h) with readable messages.
#pragma once

#include <windows.h>
// windows.h first: the automation headers build on it.
#include <oaidl.h>
#include <oleauto.h>

#include <string>

namespace qxqy::win32 {

// The system's text for an error code (Win32 or HRESULT), without the
// trailing line break; "error <code>" when the system has none.
std::string SystemMessage(DWORD code);

// Throws Error("<what>: <system message for GetLastError()>").
[[noreturn]] void ThrowLastError(const std::string& what);

// Throws Error("<what>: <system message for code>") for a registry result.
[[noreturn]] void ThrowRegistryError(const std::string& what, LONG code);

// The message of a failed automation call: the object's own description
// when it gave one (a database's message), otherwise "<what> failed: <the
// HRESULT's system text> (0x<hex>)".
std::string ComErrorMessage(const std::string& what, HRESULT result, const EXCEPINFO* info);

// Throws DatabaseError(ComErrorMessage(...)).
[[noreturn]] void ThrowDatabaseError(const std::string& what, HRESULT result,
                                     const EXCEPINFO* info);

// UTF-16 text from the automation world to the ANSI code page, and back.
std::string NarrowText(const wchar_t* text, int length);
std::wstring WidenText(const std::string& text);

}  // namespace qxqy::win32
