#include "crosscheck/log_scores.h"

#include <algorithm>

#include "crosscheck/parallel.h"
#include "logfile/log_checker.h"
#include "refdata/reference_files.h"

namespace qxqy::crosscheck {
namespace {

// The options of every log's check: the reference files loaded once, here,
// and shared by all (read only).
logfile::CheckOptions CheckOptionsOf(const ContestOptions& options) {
  logfile::CheckOptions check;
  check.plugins_folder = options.plugins_folder;
  check.countries = options.countries;
  check.reference_tables = LoadReferenceTables(options.plugins_folder);
  return check;
}

ScoreTotals TotalsOf(const std::vector<TStatistic>& bands) {
  ScoreTotals totals;
  for (const TStatistic& band : bands) {
    totals.qsos += band.Qsos;
    totals.points += band.Points;
    totals.districts += band.Districts;
    totals.prefixes += band.Prefixes;
  }
  return totals;
}

void Progress(const ContestOptions& options, const char* phase, size_t done, size_t total) {
  if (options.progress) options.progress(phase, done, total);
}

}  // namespace

int64_t PenaltyOf(const ContestOptions& options, const ContestLine& line) {
  const int64_t points = std::max<int64_t>(line.points, 0);
  if (line.decision == Decision::kNil) return options.nil_penalty * points;
  if (line.decision == Decision::kBustedCall) return options.bust_penalty * points;
  return 0;
}

RawScores ScoreRaw(ContestResults& results) {
  RawScores raw;
  raw.points.resize(results.logs.size());
  raw.fields.resize(results.logs.size());
  const logfile::CheckOptions check = CheckOptionsOf(results.options);
  ParallelFor(
      results.logs.size(), results.options.threads,
      [&](size_t l) {
        LogResult& log = results.logs[l];
        if (log.status == LogStatus::kUnreadable) return;
        auto& points = raw.points[l];
        auto& fields = raw.fields[l];
        points.reserve(log.log.contacts().size());
        fields.reserve(log.log.contacts().size());
        // Only the number of findings is kept: the report keeps no text.
        logfile::Report report(0);
        const logfile::CheckResult result =
            logfile::CheckLog(log.log, check, report, [&](const logfile::ScoredContact& contact) {
              points.push_back(contact.points);
              fields.emplace_back(contact.wpx, contact.country);
            });
        log.raw = TotalsOf(result.bands);
        log.raw_score = log.raw.Score();
        log.check_findings = report.total();
      },
      [&](size_t done) { Progress(results.options, "scoring", done, results.logs.size()); });
  return raw;
}

void ScoreChecked(ContestResults& results, const RawScores& raw) {
  const logfile::CheckOptions check = CheckOptionsOf(results.options);
  const ContestOptions& options = results.options;
  ParallelFor(
      results.logs.size(), options.threads,
      [&](size_t l) {
        LogResult& log = results.logs[l];
        log.decisions.fill(0);
        if (log.status == LogStatus::kSetAside) {
          log.decisions[static_cast<size_t>(Decision::kSetAside)] = log.contact_lines;
        }
        if (log.status != LogStatus::kChecked) return;
        log.decisions[static_cast<size_t>(Decision::kNotScored)] = log.log.unscored_lines.size();
        log.penalty_points = 0;
        const auto& contacts = log.log.contacts();
        for (size_t c = 0; c < contacts.size(); ++c) {
          const ContestLine& line = results.lines[log.first_line + c];
          ++log.decisions[static_cast<size_t>(line.decision)];
          log.penalty_points += PenaltyOf(options, line);
        }
        // The log's contacts are in time order since the raw scoring: a
        // contact not credited is one never scored.
        log.credited = TotalsOf(logfile::ScoreSelectedContacts(
            log.log, check,
            [&](size_t c) {
              return IsCredited(results.lines[log.first_line + c].decision, options.remove_uniques);
            },
            &raw.fields[l]));
        log.checked_score =
            std::max<int64_t>(0, (log.credited.points - log.penalty_points) *
                                     (log.credited.districts + log.credited.prefixes));
      },
      [&](size_t done) { Progress(options, "checking scores", done, results.logs.size()); });
}

}  // namespace qxqy::crosscheck
