#include "scoring/stat_list.h"

namespace qxqy {

size_t StatList::IndexOf(std::string_view band) const {
  size_t index = 0;
  while (index < entries_.size() && !SameBand(entries_[index].Band, band)) ++index;
  return index;
}

const TStatistic* StatList::Find(std::string_view band) const {
  const size_t index = IndexOf(band);
  return index < entries_.size() ? &entries_[index] : nullptr;
}

TStatistic& StatList::FindOrAddBySearch(std::string_view band) {
  const size_t index = IndexOf(band);
  if (index == entries_.size()) entries_.emplace_back(std::string(band), 0, 0, 0, 0);
  last_found_ = index;
  return entries_[index];
}

}  // namespace qxqy
