#include "base/testing/fake_settings_store.h"

#include "base/error.h"

namespace qxqy::testing {

std::optional<std::string> FakeSettingsStore::Read(const std::string& section,
                                                   const std::string& name) {
  if (fail_reads_) return std::nullopt;
  return Get(section, name);
}

void FakeSettingsStore::Write(const std::string& section, const std::string& name,
                              const std::string& value) {
  if (fail_writes_) throw Error("cannot write " + section + "\\" + name);
  values_[{section, name}] = value;
  ++write_count_;
}

void FakeSettingsStore::Set(const std::string& section, const std::string& name,
                            std::string value) {
  values_[{section, name}] = std::move(value);
}

std::optional<std::string> FakeSettingsStore::Get(const std::string& section,
                                                  const std::string& name) const {
  const auto it = values_.find({section, name});
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

bool FakeSettingsStore::Has(const std::string& section, const std::string& name) const {
  return values_.count({section, name}) != 0;
}

}  // namespace qxqy::testing
