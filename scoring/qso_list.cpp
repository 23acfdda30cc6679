#include "scoring/qso_list.h"

#include <algorithm>
#include <iterator>

namespace qxqy {

bool QsoList::IsDupe(std::string_view call, std::string_view band, std::string_view mode) const {
  // The search lands on the first entry with the call (the binary search and
  // the walk back to the first equal call in one), then every entry with
  // that call is examined.
  for (auto it = entries_.lower_bound(call); it != entries_.end() && it->Call == call; ++it) {
    if (it->Band == band && it->Mode == mode) return true;
  }
  return false;
}

void QsoList::Add(TQSO qso) {
  // A multiset inserts at the upper end of the range of equal calls.
  entries_.insert(std::move(qso));
}

bool QsoList::IsSorted() const {
  return std::adjacent_find(entries_.begin(), entries_.end(), [](const TQSO& a, const TQSO& b) {
           return CompareQsoCalls(a, b) > 0;
         }) == entries_.end();
}

}  // namespace qxqy
