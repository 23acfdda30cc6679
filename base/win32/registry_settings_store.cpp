#include "base/win32/registry_settings_store.h"

#include <windows.h>

#include <vector>

#include "base/env.h"
#include "base/win32/handles.h"
#include "base/win32/win32_error.h"

namespace qxqy::win32 {

namespace {
// Values longer than this are not ours: read them as absent.
constexpr DWORD kMaxValueBytes = 64 * 1024;
}  // namespace

RegistrySettingsStore::RegistrySettingsStore(std::string root) : root_(std::move(root)) {}

std::string RegistrySettingsStore::KeyPath(const std::string& section) const {
  return root_ + "\\" + section;
}

std::optional<std::string> RegistrySettingsStore::Read(const std::string& section,
                                                       const std::string& name) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, KEY_QUERY_VALUE, &raw) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  UniqueRegistryKey key(raw);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ || size > kMaxValueBytes) {
    return std::nullopt;
  }
  std::vector<char> data(size + 1, '\0');
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  // The stored bytes need not end in a terminator, and may hold one early.
  std::string value(data.data(), size);
  const size_t end = value.find('\0');
  if (end != std::string::npos) value.resize(end);
  return value;
}

void RegistrySettingsStore::Write(const std::string& section, const std::string& name,
                                  const std::string& value) {
  const std::string path = KeyPath(section);
  const std::string where = "Cannot write setting HKEY_CURRENT_USER\\" + path + "\\" + name;
  HKEY raw = nullptr;
  LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &raw, nullptr);
  if (result != ERROR_SUCCESS) ThrowRegistryError(where, result);
  UniqueRegistryKey key(raw);
  result = RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size()) + 1);
  if (result != ERROR_SUCCESS) ThrowRegistryError(where, result);
}

}  // namespace qxqy::win32

namespace qxqy {

std::unique_ptr<SettingsStore> CreateSettingsStore() {
  return std::make_unique<win32::RegistrySettingsStore>("Software\\" + env::HostExecutableName());
}

}  // namespace qxqy
