// Process and file access on Windows: the host's executable from
// GetModuleFileNameA(NULL), files opened with write access denied to others.
#include <windows.h>

#include <vector>

#include "base/env.h"
#include "base/error.h"
#include "base/win32/handles.h"
#include "base/win32/win32_error.h"

namespace qxqy::env {

std::string HostExecutablePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) return std::string();
    if (length < size) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);  // cut off: try a larger buffer
  }
}

std::string HostExecutableFolder() {
  const std::string path = HostExecutablePath();
  const size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string HostExecutableName() {
  std::string name = HostExecutablePath();
  const size_t separator = name.find_last_of("\\/");
  if (separator != std::string::npos) name.erase(0, separator + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

char PathSeparator() { return '\\'; }

bool FileExists(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  SYSTEMTIME modified{};
  return FileTimeToSystemTime(&data.ftLastWriteTime, &modified) != 0;
}

std::string ReadFileDenyWrite(const std::string& path) {
  win32::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw FileOpenError(path);
  std::string content;
  char buffer[65536];
  for (;;) {
    DWORD count = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &count, nullptr)) {
      win32::ThrowLastError("Cannot read file " + path);
    }
    if (count == 0) break;
    content.append(buffer, count);
  }
  return content;
}

}  // namespace qxqy::env
