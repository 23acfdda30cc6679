// Scores a contest check's decisions (its qsos.csv: file,line,...,decision,
// ...) against a simulated contest's truth (file,line,truth,happened,cause):
// joined on the file's name and the line, it prints per truth decision how
// many lines there are, how many were decided as the truth says and what
// the others were decided instead, the share decided as the truth says,
// and how many lines of contacts that happened were judged "nil" or
// "busted-call" (per 2,000 such lines).
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace qxqy::contest_sim {

struct ScoreBounds {
  std::optional<double> min_accuracy;            // share decided as the truth says
  std::optional<double> max_false_nil_per_2000;  // must stay below this
  uint32_t examples = 10;                        // mismatched lines to list
};

// Returns the exit status: 0 when every line was decided once and the
// bounds hold, 1 when a bound fails or lines were decided twice, not at
// all or for lines the truth does not know, 2 when a file cannot be read
// or lacks a column (the reason on `errors`).
int ScoreDecisions(const std::string& truth_path, const std::string& qsos_path,
                   const ScoreBounds& bounds, std::ostream& out, std::ostream& errors);

}  // namespace qxqy::contest_sim
