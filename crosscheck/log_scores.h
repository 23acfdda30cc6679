// Every log scored as `qxqy-score --log` scores it (raw), and every checked
// log again on its credited lines alone (checked).
#pragma once

#include <cstdint>
#include <vector>

#include "crosscheck/contest_check.h"

namespace qxqy::crosscheck {

// Scores every read log on its own; returns, per log, the engine's points
// for each of its contacts (-1 for a dupe). Sets raw, raw_score and
// check_findings.
std::vector<std::vector<int32_t>> ScoreRaw(ContestResults& results);

// Scores every checked log on its credited lines (ok, unverified, unique
// unless removed), in time order, and takes the penalties off: sets
// credited, penalty_points, checked_score and the decision counts.
void ScoreChecked(ContestResults& results);

// The points a line costs in penalty: K times its points for nil and
// busted-call, else 0.
int64_t PenaltyOf(const ContestOptions& options, const ContestLine& line);

}  // namespace qxqy::crosscheck
