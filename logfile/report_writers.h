// The checker's output: the statistics grid as text (8 rows of 5
// TAB-separated cells and the score line, as the main window shows them),
// as CSV, or with everything else as one JSON object.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "logfile/report.h"
#include "scoring/stat_list.h"
#include "scoring/statistics_table.h"

namespace qxqy::logfile {

// What a check found, for the writers.
struct CheckSummary {
  std::string file;
  const StatisticsTable* statistics = nullptr;
  // The figures of every band that has contacts, in the order to list them.
  std::vector<TStatistic> bands;
  std::optional<std::string> claimed_score;
  std::string own_group;
  size_t scored = 0;
  size_t duplicates = 0;
  const Report* report = nullptr;
};

// The grid and the score line, exactly as the scorer has always printed them.
void WriteGridText(std::ostream& out, const StatisticsTable& statistics);

// The grid as CSV: the same 8 rows of 5 cells, separated by commas.
void WriteGridCsv(std::ostream& out, const StatisticsTable& statistics);

// The grid, the score line and "Claimed score: N" when the log claims one.
void WriteTextSummary(std::ostream& out, const CheckSummary& summary);

// One finding a line ("FILE:LINE: reason"), and a last line when findings
// were dropped.
void WriteFindings(std::ostream& out, const CheckSummary& summary);

// Everything as one JSON object: file, bands (every band that has
// contacts, WARC bands included), totals, score, score_line, claimed_score (a
// number when the log's is written in digits alone, else its text; null when none),
// own_group, scored, duplicates, report ([{line, reason}]) and
// report_dropped.
void WriteJson(std::ostream& out, const CheckSummary& summary);

// `text` as a JSON string literal, quotes included, in UTF-8: well-formed
// UTF-8 kept as it is, any other byte read as Latin-1; control characters
// (C0, DEL, C1) as \u00XX.
std::string JsonString(std::string_view text);

}  // namespace qxqy::logfile
