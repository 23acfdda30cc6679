// The native settings store: one INI file, "[section]" lines followed by
// "name=value" lines. Every Read reads the file afresh and every Write
// rewrites it whole from a fresh read, atomically (a temporary file beside
// it, then rename), creating the folder if needed; so several stores on
// one file (one per window) never lose each other's values. Lines that are neither a section, a
// name=value pair, a comment nor blank are ignored; an unreadable file reads as empty.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "base/settings_store.h"

namespace qxqy {

class IniSettingsStore : public SettingsStore {
 public:
  explicit IniSettingsStore(std::string path);

  std::optional<std::string> Read(const std::string& section, const std::string& name) override;
  // Throws Error naming the file when it cannot be written.
  void Write(const std::string& section, const std::string& name,
             const std::string& value) override;

  const std::string& Path() const { return path_; }

  // "$XDG_CONFIG_HOME/<host name>.ini" (an absolute XDG_CONFIG_HOME only),
  // or "$HOME/.config/<host name>.ini".
  static std::string DefaultPath();

 private:
  void Load();
  void Persist() const;

  std::string path_;
  std::map<std::string, std::map<std::string, std::string>> sections_;
};

}  // namespace qxqy
