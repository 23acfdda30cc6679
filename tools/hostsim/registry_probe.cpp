#include "tools/hostsim/registry_probe.h"

#include <algorithm>

#include "base/error.h"
#include "tools/hostsim/text_format.h"
#include "tools/hostsim/unique_handle.h"

namespace qxqy::hostsim {

namespace {

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle key) noexcept { RegCloseKey(key); }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

RegistryKey OpenExisting(const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
    return RegistryKey();
  }
  return RegistryKey(key);
}

void ThrowOnFailure(LONG result, const std::string& what) {
  if (result != ERROR_SUCCESS) throw Error(what + " (error " + std::to_string(result) + ")");
}

RegistryKey OpenForWriting(const std::string& path) {
  HKEY key = nullptr;
  ThrowOnFailure(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr),
                 "cannot create HKEY_CURRENT_USER\\" + path);
  return RegistryKey(key);
}

std::optional<RegistryValue> ReadValue(HKEY key, const std::string& name) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::string data(size, '\0');
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                       &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  data.resize(size);
  return RegistryValue{name, type, std::move(data)};
}

}  // namespace

std::string OwnSettingsRoot() {
  char path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string name(path, std::min<DWORD>(length, sizeof path));
  name.erase(0, name.find_last_of("\\/") + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return "Software\\" + name;
}

RegistrySection::RegistrySection(std::string root, std::string section)
    : path_(std::move(root) + "\\" + std::move(section)) {}

bool RegistrySection::Exists() const {
  return static_cast<bool>(OpenExisting(path_, KEY_QUERY_VALUE));
}

std::optional<RegistryValue> RegistrySection::Read(const std::string& name) const {
  const RegistryKey key = OpenExisting(path_, KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  return ReadValue(key.get(), name);
}

std::vector<RegistryValue> RegistrySection::ReadAll() const {
  std::vector<RegistryValue> values;
  const RegistryKey key = OpenExisting(path_, KEY_QUERY_VALUE);
  if (!key) return values;
  for (DWORD index = 0;; ++index) {
    char name[16384];
    DWORD name_length = sizeof name;
    if (RegEnumValueA(key.get(), index, name, &name_length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    if (auto value = ReadValue(key.get(), std::string(name, name_length))) {
      values.push_back(std::move(*value));
    }
  }
  std::sort(values.begin(), values.end(), [](const RegistryValue& a, const RegistryValue& b) {
    return lstrcmpiA(a.name.c_str(), b.name.c_str()) < 0;
  });
  return values;
}

void RegistrySection::WriteString(const std::string& name, const std::string& value) {
  const RegistryKey key = OpenForWriting(path_);
  ThrowOnFailure(RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>(value.size() + 1)),
                 "cannot write " + name);
}

void RegistrySection::WriteDword(const std::string& name, uint32_t value) {
  const RegistryKey key = OpenForWriting(path_);
  const DWORD data = value;
  ThrowOnFailure(RegSetValueExA(key.get(), name.c_str(), 0, REG_DWORD,
                                reinterpret_cast<const BYTE*>(&data), sizeof data),
                 "cannot write " + name);
}

void RegistrySection::DeleteValue(const std::string& name) {
  const RegistryKey key = OpenExisting(path_, KEY_SET_VALUE);
  if (!key) return;
  const LONG result = RegDeleteValueA(key.get(), name.c_str());
  if (result != ERROR_FILE_NOT_FOUND) ThrowOnFailure(result, "cannot delete " + name);
}

void RegistrySection::DeleteSection() {
  const LONG result = RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
  if (result != ERROR_FILE_NOT_FOUND) {
    ThrowOnFailure(result, "cannot delete HKEY_CURRENT_USER\\" + path_);
  }
}

std::string DescribeRegistryValue(const RegistryValue& value) {
  if (value.type == REG_SZ) {
    std::string text = value.data;
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return "string " + QuoteText(text);
  }
  if (value.type == REG_DWORD && value.data.size() == sizeof(DWORD)) {
    DWORD number = 0;
    std::copy(value.data.begin(), value.data.end(), reinterpret_cast<char*>(&number));
    return "dword " + std::to_string(number);
  }
  return "type " + std::to_string(value.type) + ", " + std::to_string(value.data.size()) + " bytes";
}

}  // namespace qxqy::hostsim
