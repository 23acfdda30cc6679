#include "refdata/district_table.h"

#include <stdexcept>

#include "base/text.h"

namespace qxqy {

namespace {
// FNV-1a: district names are a few characters long.
uint32_t HashName(std::string_view name) {
  uint32_t hash = 2166136261u;
  for (char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash;
}
}  // namespace

void DistrictTable::Assign(std::vector<std::string> lines) {
  lines_.Assign(std::move(lines));
  first_value_by_name_.clear();
  for (size_t i = 0; i < lines_.Count(); ++i) {
    std::string_view name, value;
    if (!SplitNameValue(lines_[i], &name, &value)) continue;
    // emplace keeps an existing entry: the first line with a name decides.
    first_value_by_name_.emplace(CaseInsensitiveKey(name), ValuePosition{i, name.size() + 1});
  }
  IndexExactNames();
}

void DistrictTable::IndexExactNames() {
  exact_names_.clear();
  if (first_value_by_name_.empty()) return;
  if (lines_.Count() >= kNoLine) throw std::length_error("too many lines in the district table");
  size_t size = 16;
  while (size < 2 * lines_.Count()) size *= 2;
  exact_names_.assign(size, ExactName{0, kNoLine, 0, ValuePosition{0, 0}});
  for (size_t i = 0; i < lines_.Count(); ++i) {
    std::string_view name, value;
    if (!SplitNameValue(lines_[i], &name, &value)) continue;
    const uint32_t hash = HashName(name);
    ExactName& slot = exact_names_[ExactSlot(name, hash)];
    if (slot.name_line != kNoLine) continue;  // the name as written came before
    // The answer of the folded index, which every spelling of the name shares.
    slot = ExactName{hash, static_cast<uint32_t>(i), name.size(),
                     first_value_by_name_.at(CaseInsensitiveKey(name))};
  }
}

size_t DistrictTable::ExactSlot(std::string_view name, uint32_t hash) const {
  const size_t mask = exact_names_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const ExactName& slot = exact_names_[i];
    if (slot.name_line == kNoLine) return i;
    if (slot.hash == hash && slot.name_size == name.size() &&
        std::string_view(lines_[slot.name_line]).substr(0, name.size()) == name) {
      return i;
    }
  }
}

void DistrictTable::Clear() {
  lines_.Clear();
  first_value_by_name_.clear();
  exact_names_.clear();
}

std::string_view DistrictTable::ValueOfName(std::string_view name) const {
  const ValuePosition* position = nullptr;
  if (!exact_names_.empty()) {
    const ExactName& slot = exact_names_[ExactSlot(name, HashName(name))];
    if (slot.name_line != kNoLine) position = &slot.value;
  }
  if (position == nullptr) {
    const auto found = first_value_by_name_.find(CaseInsensitiveKey(name));
    if (found == first_value_by_name_.end()) return std::string_view();
    position = &found->second;
  }
  return std::string_view(lines_[position->line]).substr(position->offset);
}

}  // namespace qxqy
