#include "base/win32/win32_error.h"

#include <cstdio>

#include "base/error.h"

namespace qxqy::win32 {

std::string SystemMessage(DWORD code) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text;
  if (length > 0 && buffer != nullptr) text.assign(buffer, length);
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() &&
         (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.')) {
    text.pop_back();
  }
  if (text.empty()) text = "error " + std::to_string(code);
  return text;
}

void ThrowLastError(const std::string& what) {
  throw Error(what + ": " + SystemMessage(GetLastError()));
}

void ThrowRegistryError(const std::string& what, LONG code) {
  throw Error(what + ": " + SystemMessage(static_cast<DWORD>(code)));
}

std::string ComErrorMessage(const std::string& what, HRESULT result, const EXCEPINFO* info) {
  if (info != nullptr && info->bstrDescription != nullptr && info->bstrDescription[0] != L'\0') {
    return NarrowText(info->bstrDescription, static_cast<int>(SysStringLen(info->bstrDescription)));
  }
  // An exception without description may still carry its own code.
  if (result == DISP_E_EXCEPTION && info != nullptr && info->scode != 0) result = info->scode;
  char hex[16];  // room for any 32-bit value: the result needs no check
  static_cast<void>(std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(result)));
  return what + " failed: " + SystemMessage(static_cast<DWORD>(result)) + " (" + hex + ")";
}

void ThrowDatabaseError(const std::string& what, HRESULT result, const EXCEPINFO* info) {
  throw DatabaseError(ComErrorMessage(what, result, info));
}

std::string NarrowText(const wchar_t* text, int length) {
  if (text == nullptr || length <= 0) return std::string();
  const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string narrow(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), size, nullptr, nullptr);
  return narrow;
}

std::wstring WidenText(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), size);
  return wide;
}

}  // namespace qxqy::win32
