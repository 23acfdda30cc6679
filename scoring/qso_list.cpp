#include "scoring/qso_list.h"

#include <algorithm>
#include <iterator>

namespace qxqy {

bool QsoList::IsDupe(std::string_view call, std::string_view band, std::string_view mode) const {
  // A call after the last one cannot be in the list: during a rebuild the
  // rows arrive in call order, so this answers most checks in O(1).
  if (entries_.empty() || CompareOrdinal(call, std::prev(entries_.end())->Call) > 0) return false;
  // The search lands on the first entry with the call (the binary search and
  // the walk back to the first equal call in one), then every entry with
  // that call is examined.
  for (auto it = entries_.lower_bound(call); it != entries_.end() && it->Call == call; ++it) {
    if (it->Band == band && it->Mode == mode) return true;
  }
  return false;
}

void QsoList::Add(TQSO qso) {
  // A multiset inserts at the upper end of the range of equal calls. A call
  // that sorts last (the usual case while replaying an ordered log) goes
  // straight to the end without a search.
  if (entries_.empty() || CompareOrdinal(qso.Call, std::prev(entries_.end())->Call) >= 0) {
    entries_.emplace_hint(entries_.end(), std::move(qso));
  } else {
    entries_.insert(std::move(qso));
  }
}

bool QsoList::IsSorted() const {
  return std::adjacent_find(entries_.begin(), entries_.end(), [](const TQSO& a, const TQSO& b) {
           return CompareQsoCalls(a, b) > 0;
         }) == entries_.end();
}

}  // namespace qxqy
