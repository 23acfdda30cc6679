// An in-memory SettingsStore for tests, with faults on demand: writes can
// be made to throw, reads to find nothing. Counts the writes it accepted.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "base/settings_store.h"

namespace qxqy::testing {

class FakeSettingsStore : public SettingsStore {
 public:
  std::optional<std::string> Read(const std::string& section, const std::string& name) override;
  // Throws Error("cannot write <section>\<name>") while writes fail.
  void Write(const std::string& section, const std::string& name,
             const std::string& value) override;

  // Direct access for arranging and checking a test.
  void Set(const std::string& section, const std::string& name, std::string value);
  std::optional<std::string> Get(const std::string& section, const std::string& name) const;
  bool Has(const std::string& section, const std::string& name) const;
  void Clear() { values_.clear(); }

  void SetFailWrites(bool fail) { fail_writes_ = fail; }
  void SetFailReads(bool fail) { fail_reads_ = fail; }
  int WriteCount() const { return write_count_; }

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
  bool fail_writes_ = false;
  bool fail_reads_ = false;
  int write_count_ = 0;
};

}  // namespace qxqy::testing
