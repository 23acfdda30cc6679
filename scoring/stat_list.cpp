#include "scoring/stat_list.h"

#include <cstring>

namespace qxqy {

namespace {
// Equal byte for byte; the sizes first, since labels of different bands
// mostly differ in length.
bool SameBand(const std::string& label, std::string_view band) {
  return label.size() == band.size() &&
         (band.empty() || std::memcmp(label.data(), band.data(), band.size()) == 0);
}
}  // namespace

size_t StatList::IndexOf(std::string_view band) const {
  size_t index = 0;
  while (index < entries_.size() && !SameBand(entries_[index].Band, band)) ++index;
  return index;
}

const TStatistic* StatList::Find(std::string_view band) const {
  const size_t index = IndexOf(band);
  return index < entries_.size() ? &entries_[index] : nullptr;
}

TStatistic& StatList::FindOrAdd(std::string_view band) {
  // Contacts come in runs on one band: the entry found last is tried first.
  if (last_found_ < entries_.size() && SameBand(entries_[last_found_].Band, band)) {
    return entries_[last_found_];
  }
  const size_t index = IndexOf(band);
  if (index == entries_.size()) entries_.emplace_back(std::string(band), 0, 0, 0, 0);
  last_found_ = index;
  return entries_[index];
}

}  // namespace qxqy
