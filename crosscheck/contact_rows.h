// The contact lines of a log as the outputs show them: one row per contact
// line, in file order, with its decision, the other side's evidence and
// the penalty it costs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

// The contact lines of one log (none for a file that is not a log), in the
// order of the lines in the file: Next() steps to the next line and tells
// its decision; Fill() gives that line's row, whose texts cost only when
// asked for. A row filled again reuses its strings' room.
//
//   ContactRows rows(results, log);
//   ContactRow row;
//   while (rows.Next()) { if (wanted(rows.decision())) { rows.Fill(row); ... } }
class ContactRows {
 public:
  ContactRows(const ContestResults& results, size_t log);

  // Steps to the next line; false after the last.
  bool Next();
  // The current line's decision.
  Decision decision() const { return decision_; }
  // Sets every field of `row` to the current line's.
  void Fill(ContactRow& row) const;

 private:
  // Asks the memory for what Fill will read of the other logs' lines that
  // are the evidence of this log's lines.
  void AskForEvidence() const;

  const ContestResults& results_;
  const LogResult& log_;
  std::vector<uint32_t> order_;  // the contacts in file order
  size_t next_contact_ = 0;      // in order_
  size_t next_unscored_ = 0;     // in log_.log.unscored_lines
  bool unscored_ = false;        // the current line was not scored
  uint32_t current_ = 0;         // its line number, or its contact
  Decision decision_ = Decision::kUnique;
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
