// Reading and writing the values the plug-in keeps in the registry, from
// outside: the simulator's own key HKEY_CURRENT_USER\Software\<exe name>
// (the plug-in names its key after the host's executable) and a section
// (subkey) below it, such as "TfmMainForm". Used by the session's "reg"
// action to look at what the plug-in saved and to plant values it must cope
// with (garbage text, a number where a string belongs).
//
// Reads never throw; writes and deletes throw qxqy::Error with the system's
// reason when they fail. Keys are opened for each call and closed on return.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qxqy::hostsim {

struct RegistryValue {
  std::string name;
  DWORD type = REG_NONE;
  std::string data;  // the raw bytes as stored
};

// "Software\<file name of this process's executable without extension>".
std::string OwnSettingsRoot();

class RegistrySection {
 public:
  // `root` and `section` are key paths under HKEY_CURRENT_USER.
  RegistrySection(std::string root, std::string section);

  // False when the section's key does not exist.
  bool Exists() const;
  // The value, or nullopt when it (or the key) is missing.
  std::optional<RegistryValue> Read(const std::string& name) const;
  // Every value of the section, sorted by name (letter case ignored).
  std::vector<RegistryValue> ReadAll() const;

  // Create the key as needed.
  void WriteString(const std::string& name, const std::string& value);
  void WriteDword(const std::string& name, uint32_t value);
  // Removing something already absent is not an error.
  void DeleteValue(const std::string& name);
  void DeleteSection();

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// One line for a value: `string "text"` (REG_SZ, terminator dropped),
// `dword N`, or `type T, N bytes` for anything else.
std::string DescribeRegistryValue(const RegistryValue& value);

}  // namespace qxqy::hostsim
