// The worked-contact list and the duplicate check.
#pragma once

#include <cstddef>
#include <set>
#include <string_view>

#include "scoring/qso.h"

namespace qxqy {

// The contacts remembered since the last rebuild, always in ascending ordinal
// order of Call; entries with the same call stand in the order they were
// added. Each contact is inserted at its ordinal place, so the duplicate
// check finds it whatever order the contacts arrive in (a log database may
// deliver calls ordered ignoring case). Adding and checking cost O(log n)
// plus the entries that share the call. The list owns its entries.
class QsoList {
 private:
  // Orders by Call, ordinal; also compares with a bare call for lookups.
  struct CallOrder {
    using is_transparent = void;
    bool operator()(const TQSO& a, const TQSO& b) const { return CompareQsoCalls(a, b) < 0; }
    bool operator()(const TQSO& a, std::string_view call) const {
      return CompareOrdinal(a.Call, call) < 0;
    }
    bool operator()(std::string_view call, const TQSO& b) const {
      return CompareOrdinal(call, b.Call) < 0;
    }
  };
  using Entries = std::multiset<TQSO, CallOrder>;

 public:
  using const_iterator = Entries::const_iterator;

  QsoList() = default;
  QsoList(QsoList&&) = default;
  QsoList& operator=(QsoList&&) = default;

  // True when an entry has this call, band and mode (ordinal equality of all
  // three). An empty list holds no duplicate.
  bool IsDupe(std::string_view call, std::string_view band, std::string_view mode) const;

  // Inserts the contact after every entry whose call sorts before or equal
  // to its own.
  void Add(TQSO qso);

  // True when the entries are in ascending ordinal order of Call. Adding
  // keeps them so; this exists so callers that expect a sort can verify it.
  bool IsSorted() const;

  void Clear() { entries_.clear(); }
  size_t Count() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }
  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }

 private:
  Entries entries_;
};

}  // namespace qxqy
