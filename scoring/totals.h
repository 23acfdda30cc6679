// The totals over all bands and the contest score.
#pragma once

#include <cstdint>

#include "scoring/stat_list.h"

namespace qxqy {

// Sums of the per-band counters, every band included, in 64 bits so that no
// sum of 32-bit counters can overflow.
struct ScoreTotals {
  int64_t qsos = 0;
  int64_t points = 0;
  int64_t districts = 0;
  int64_t prefixes = 0;

  // The score P * (D + W). With n counted contacts P <= 3n and D + W <= 2n,
  // so the product is exact for any log below a billion contacts.
  int64_t Score() const { return points * (districts + prefixes); }
};

ScoreTotals SumStatistics(const StatList& stat_list);

}  // namespace qxqy
