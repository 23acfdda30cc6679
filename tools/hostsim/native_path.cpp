#include "tools/hostsim/native_path.h"

#include <windows.h>

#include "tools/hostsim/wide_text.h"

namespace qxqy::hostsim {

namespace {

// Wine's kernel32 export; absent on Windows. The result is freed with HeapFree.
using UnixFileNameFunction = char*(__cdecl*)(const wchar_t*);

std::string UnderWineAsUnixPath(const std::string& windows_path) {
  const auto convert = reinterpret_cast<UnixFileNameFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return windows_path;  // real Windows
  char* unix_path = convert(WideFromUtf8(windows_path).c_str());
  if (!unix_path) return windows_path;
  std::string result(unix_path);
  HeapFree(GetProcessHeap(), 0, unix_path);
  return result;
}

}  // namespace

std::string DriverPath(const std::string& path) {
  if (!path.empty() && path.front() == '/') return path;
  char full[MAX_PATH * 4];
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  if (length == 0 || length >= sizeof full) return path;
  return UnderWineAsUnixPath(std::string(full, length));
}

}  // namespace qxqy::hostsim
