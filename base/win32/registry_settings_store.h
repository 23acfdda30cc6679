// The Windows settings store: string values (REG_SZ) under
// HKEY_CURRENT_USER\<root>\<section>, where <root> is
// "Software\<host executable name>" for the running host. Keys are opened
// for each read and write, so several stores (one per window) never hold
// stale state.
//
// Reads never throw: a missing key or value, a value of another type or one
// that cannot be read is absent. Writes create the key as needed and throw
// Error with the system's message when the value cannot be written.
#pragma once

#include <optional>
#include <string>

#include "base/settings_store.h"

namespace qxqy::win32 {

class RegistrySettingsStore : public SettingsStore {
 public:
  // `root` is a key path under HKEY_CURRENT_USER ("Software\\Logger").
  explicit RegistrySettingsStore(std::string root);

  std::optional<std::string> Read(const std::string& section, const std::string& name) override;
  void Write(const std::string& section, const std::string& name,
             const std::string& value) override;

  const std::string& Root() const { return root_; }

 private:
  std::string KeyPath(const std::string& section) const;

  std::string root_;
};

}  // namespace qxqy::win32
