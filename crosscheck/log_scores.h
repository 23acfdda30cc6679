// Every log scored as `qxqy-score --log` scores it (raw), and every checked
// log again on its credited lines alone (checked).
#pragma once

#include <cstdint>
#include <vector>

#include "crosscheck/contest_check.h"
#include "logfile/contact_fields.h"

namespace qxqy::crosscheck {

// What the raw scoring found of each contact, per log, in the order of the
// log's contacts (time order).
struct RawScores {
  // The engine's points for each contact, -1 for a dupe.
  std::vector<std::vector<int32_t>> points;
  // Each contact's derived fields, for the checked scoring.
  std::vector<std::vector<logfile::KeptFields>> fields;
};

// Scores every read log on its own. Sets raw, raw_score and
// check_findings.
RawScores ScoreRaw(ContestResults& results);

// Scores every checked log on its credited lines (ok, unverified, unique
// unless removed), in time order, with the fields the raw scoring derived,
// and takes the penalties off: sets credited, penalty_points,
// checked_score and the decision counts.
void ScoreChecked(ContestResults& results, const RawScores& raw);

// The points a line costs in penalty: K times its points for nil and
// busted-call, else 0.
int64_t PenaltyOf(const ContestOptions& options, const ContestLine& line);

}  // namespace qxqy::crosscheck
