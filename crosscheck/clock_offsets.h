// Each checked log's clock offset: its own time minus the other side's,
// estimated jointly over the whole contest.
//
// A match is a line of log A to B and B's line to A on the same band and
// mode within an hour of each other, each the only candidate of the other.
// A log's offset is the median over its matches of (its time minus the
// partner's corrected time), applied when at least kMinClockMatches
// support it. A first round takes every partner's time as logged; then
// each log (in the order of its station's call) is estimated again against
// its partners' corrected times, round after round, until no offset
// changes or kMaxClockRounds have run. So a log whose partners are mostly
// off does not take their error for its own.
#pragma once

#include "crosscheck/contest_index.h"

namespace qxqy::crosscheck {

inline constexpr size_t kMinClockMatches = 10;
inline constexpr int kMaxClockRounds = 20;
inline constexpr int64_t kClockMatchMinutes = 60;

// Sets clock_offset and clock_matches of every checked log and
// results.clock_rounds.
void EstimateClockOffsets(ContestResults& results, const ContestIndex& index);

}  // namespace qxqy::crosscheck
