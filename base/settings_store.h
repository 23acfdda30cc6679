// Persistent string values in named sections: the registry under
// HKCU\Software\<host executable name>\<section> on Windows, an INI file
// named after the host executable under $XDG_CONFIG_HOME (or ~/.config)
// natively. Reads never throw: a missing or unreadable value is absent.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace qxqy {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::string> Read(const std::string& section, const std::string& name) = 0;
  // Throws Error with a clear message when the value cannot be written.
  virtual void Write(const std::string& section, const std::string& name,
                     const std::string& value) = 0;
};

// The platform's store for the running host.
std::unique_ptr<SettingsStore> CreateSettingsStore();

}  // namespace qxqy
