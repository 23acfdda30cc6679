#include "base/posix/ini_settings_store.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/env.h"
#include "base/error.h"
#include "base/text.h"

namespace qxqy {

namespace fs = std::filesystem;

IniSettingsStore::IniSettingsStore(std::string path) : path_(std::move(path)) { Load(); }

std::string IniSettingsStore::DefaultPath() {
  std::string folder;
  const char* config_home = std::getenv("XDG_CONFIG_HOME");
  if (config_home != nullptr && config_home[0] == '/') {
    folder = config_home;
  } else {
    const char* home = std::getenv("HOME");
    folder = std::string(home != nullptr ? home : "") + "/.config";
  }
  return folder + "/" + env::HostExecutableName() + ".ini";
}

std::optional<std::string> IniSettingsStore::Read(const std::string& section,
                                                  const std::string& name) {
  Load();
  const auto found_section = sections_.find(section);
  if (found_section == sections_.end()) return std::nullopt;
  const auto found = found_section->second.find(name);
  if (found == found_section->second.end()) return std::nullopt;
  return found->second;
}

void IniSettingsStore::Write(const std::string& section, const std::string& name,
                             const std::string& value) {
  if (section.find_first_of("[]\r\n") != std::string::npos ||
      name.find_first_of("=\r\n") != std::string::npos || name.empty() ||
      value.find_first_of("\r\n") != std::string::npos) {
    throw Error("Cannot store " + section + "/" + name + " in " + path_);
  }
  // Other stores (another window's) may have written the file meanwhile.
  Load();
  sections_[section][name] = value;
  Persist();
}

void IniSettingsStore::Load() {
  sections_.clear();
  std::ifstream in(path_, std::ios::binary);
  if (!in) return;
  std::string line;
  std::map<std::string, std::string>* current = nullptr;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
    if (trimmed.front() == '[') {
      current = trimmed.back() == ']' ? &sections_[trimmed.substr(1, trimmed.size() - 2)] : nullptr;
      continue;
    }
    const size_t equals = line.find('=');
    if (current == nullptr || equals == std::string::npos || equals == 0) continue;
    (*current)[line.substr(0, equals)] = line.substr(equals + 1);
  }
}

void IniSettingsStore::Persist() const {
  std::ostringstream text;
  for (const auto& [section, values] : sections_) {
    text << '[' << section << "]\n";
    for (const auto& [name, value] : values) text << name << '=' << value << '\n';
    text << '\n';
  }
  const std::string content = text.str();

  std::error_code ignored;
  const fs::path target(path_);
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ignored);
  const std::string temporary = path_ + ".tmp" + std::to_string(::getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << content;
    out.flush();
    if (!out) {
      fs::remove(temporary, ignored);
      throw Error("Cannot write settings file " + path_);
    }
  }
  if (std::rename(temporary.c_str(), path_.c_str()) != 0) {
    fs::remove(temporary, ignored);
    throw Error("Cannot write settings file " + path_);
  }
}

std::unique_ptr<SettingsStore> CreateSettingsStore() {
  return std::make_unique<IniSettingsStore>(IniSettingsStore::DefaultPath());
}

}  // namespace qxqy
