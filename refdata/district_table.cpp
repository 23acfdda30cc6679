#include "refdata/district_table.h"

#include "base/text.h"

namespace qxqy {

void DistrictTable::Assign(std::vector<std::string> lines) {
  lines_.Assign(std::move(lines));
  first_value_by_name_.clear();
  for (size_t i = 0; i < lines_.Count(); ++i) {
    std::string_view name, value;
    if (!SplitNameValue(lines_[i], &name, &value)) continue;
    // emplace keeps an existing entry: the first line with a name decides.
    first_value_by_name_.emplace(CaseInsensitiveKey(name), ValuePosition{i, name.size() + 1});
  }
}

void DistrictTable::Clear() {
  lines_.Clear();
  first_value_by_name_.clear();
}

std::string_view DistrictTable::ValueOfName(std::string_view name) const {
  const auto found = first_value_by_name_.find(CaseInsensitiveKey(name));
  if (found == first_value_by_name_.end()) return std::string_view();
  return std::string_view(lines_[found->second.line]).substr(found->second.offset);
}

}  // namespace qxqy
