#include "crosscheck/contest_check.h"

#include <utility>

#include "crosscheck/clock_offsets.h"
#include "crosscheck/contest_index.h"
#include "crosscheck/contest_logs.h"
#include "crosscheck/decide.h"
#include "crosscheck/log_scores.h"

namespace qxqy::crosscheck {

double LogResult::ErrorRate() const {
  const auto count = [&](Decision d) { return decisions[static_cast<size_t>(d)]; };
  const size_t lost = count(Decision::kBustedExchange) + count(Decision::kBandOrMode) +
                      count(Decision::kBustedCall) + count(Decision::kNil);
  const size_t checked = lost + count(Decision::kOk) + count(Decision::kNilTheirBust) +
                         count(Decision::kUnverified) + count(Decision::kUnique);
  return checked == 0 ? 0.0 : static_cast<double>(lost) / static_cast<double>(checked);
}

std::string LogResult::CategoryLabel() const {
  const auto& c = log.category;
  std::string label;
  for (const std::string* part : {&c.op, &c.band, &c.power, &c.mode, &c.assisted, &c.transmitter}) {
    if (part->empty()) continue;
    if (!label.empty()) label += ' ';
    label += *part;
  }
  return label;
}

ContestResults CheckContest(std::vector<LogInput> inputs, const ContestOptions& options) {
  ContestResults results;
  results.options = options;
  if (results.options.threads == 0) results.options.threads = 1;
  ReadContestLogs(std::move(inputs), results);
  SetAsideSecondLogs(results);
  const RawScores raw = ScoreRaw(results);
  if (options.progress) options.progress("matching", 0, 1);
  ContestIndex index(results, raw.points);
  EstimateClockOffsets(results, index);
  index.ApplyClockOffsets();
  DecideLines(results, index);
  if (options.progress) options.progress("matching", 1, 1);
  ScoreChecked(results, raw);
  for (const LogResult& log : results.logs) {
    results.reported += log.reader_report.total() + log.check_findings;
    if (log.status != LogStatus::kChecked) ++results.reported;
  }
  return results;
}

}  // namespace qxqy::crosscheck
