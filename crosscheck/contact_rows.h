// The contact lines of a log as the outputs show them: one row per contact
// line, in file order, with its decision, the other side's evidence and
// the penalty it costs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "crosscheck/contest_check.h"

namespace qxqy::crosscheck {

struct ContactRow {
  uint32_t line = 0;                  // counted from 1 in the file
  std::string_view call, band, mode;  // empty for a line not scored
  std::string time;                   // "YYYY-MM-DD hhmm" as logged; empty when not scored
  Decision decision = Decision::kUnique;
  std::string evidence;
  int64_t penalty = 0;
};

// Calls `row` for each contact line of log `log` (none for a file that is
// not a log), in the order of the lines in the file; with `only`, for the
// lines whose decision it accepts (the others cost nothing more).
void ForEachContactRow(const ContestResults& results, size_t log,
                       const std::function<void(const ContactRow&)>& row,
                       const std::function<bool(Decision)>& only = {});

// A time key as "YYYY-MM-DD hhmm" (":ss" added when the seconds are not 0).
std::string FormatTimeKey(int64_t time_key);
// The same, appended to `out`.
void AppendTimeKey(int64_t time_key, std::string& out);

}  // namespace qxqy::crosscheck
