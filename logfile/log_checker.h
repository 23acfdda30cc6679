// Scores a read log through a contest session, as if the host had passed
// each contact live through _AddQSO with that contact's own fields, in time
// order (stable: contacts of equal time keep file order), and adds to the
// report each unresolved country (the own call's too) and each duplicate
// with the line it repeats, and, for the log as a whole, a missing district
// table (no district multiplier is then counted) and a Cabrillo log cut off
// before END-OF-LOG:.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logfile/country_file.h"
#include "logfile/parsed_log.h"
#include "logfile/report.h"
#include "logfile/report_writers.h"
#include "scoring/stat_list.h"
#include "scoring/statistics_table.h"

namespace qxqy::logfile {

struct CheckOptions {
  // Folder holding the district table (with its trailing separator).
  std::string plugins_folder;
  // The country file; null for the built-in rule. Must outlive the check.
  const CountryFile* countries = nullptr;
  // The operator's group; default: the group of the log's own call.
  std::optional<std::string> own_group;
  // One group for every contact; default: each contact's own (see
  // GroupOfCountry).
  std::optional<std::string> contact_group;
};

// One contact as it was passed to the engine, and what the engine answered.
struct ScoredContact {
  uint32_t line;
  std::string_view call, band, mode, exchange, wpx, country, group, own_group;
  int32_t points;  // -1 for a duplicate
};

struct CheckResult {
  StatisticsTable statistics{};
  // The figures of every band that has contacts, in ascending frequency
  // (the grid shows six of the nine bands; the totals count all).
  std::vector<TStatistic> bands;
  std::string own_group;
  size_t scored = 0;
  size_t duplicates = 0;
};

// Sorts `log`'s contacts by time and scores them. `on_contact`, when given,
// sees every contact right after the engine scored it. Throws FileOpenError
// when the district table exists but cannot be read.
CheckResult CheckLog(ParsedLog& log, const CheckOptions& options, Report& report,
                     const std::function<void(const ScoredContact&)>& on_contact = {});

// What the report writers show of a check of `file`; points into `result`
// and `report`, which must outlive it.
CheckSummary SummarizeCheck(std::string file, const ParsedLog& log, const CheckResult& result,
                            const Report& report);

}  // namespace qxqy::logfile
