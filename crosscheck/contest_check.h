// The contest check: every log of a contest read, each contact line checked
// against the other logs, every log scored before and after the check.
//
// CheckContest takes the logs as files or as bytes in memory, so that
// tests and fuzzers drive it without a folder. The result holds every log
// (checked, set aside or unreadable) in file-name order and every contact
// of the checked logs in one packed array; contact_rows.h walks them as the
// outputs show them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "crosscheck/decision.h"
#include "logfile/country_file.h"
#include "logfile/parsed_log.h"
#include "logfile/report.h"
#include "scoring/totals.h"

namespace qxqy::crosscheck {

// One log of the contest: read from `path`, or from `bytes` when set.
struct LogInput {
  std::string name;  // the file's name as the outputs show it
  std::string path;
  std::optional<std::string> bytes;
};

struct ContestOptions {
  // Folder holding the district table (with its trailing separator).
  std::string plugins_folder;
  // The country file; null for the built-in rule. Must outlive the check.
  const logfile::CountryFile* countries = nullptr;
  int64_t window_minutes = 3;
  int64_t nil_penalty = 1;   // times the line's points, for "nil"
  int64_t bust_penalty = 1;  // times the line's points, for "busted-call"
  bool remove_uniques = false;
  // How many threads read and score the logs (at least 1).
  unsigned threads = 2;
  // Told each phase's progress: "reading", "scoring" and "checking scores"
  // (logs done of total), "matching" (0 or 1 of 1); may be empty. Called
  // from the calling thread only, often: the receiver decides what to show.
  std::function<void(std::string_view phase, size_t done, size_t total)> progress;
};

inline constexpr uint32_t kNoLine = 0xFFFFFFFF;

// One contact of a checked log, packed: 32 bytes.
struct ContestLine {
  int64_t minute;     // the contact's logged time, in minutes
  uint32_t log;       // index into ContestResults::logs
  uint32_t contact;   // index into that log's contacts (in time order)
  uint32_t call;      // the normalised worked call's id (ContestResults::calls)
  uint32_t evidence;  // the other log's line that decided it, or kNoLine
  int32_t points;     // the engine's points for it in the raw score; -1 for a dupe
  uint8_t band;
  uint8_t mode;
  Decision decision;
  bool paired;
};

// A text of up to 7 bytes held in 8 (its length, then its bytes), or none.
class ShortText {
 public:
  static constexpr size_t kMaxSize = 7;
  ShortText() = default;
  // Holds `text` when it fits, else nothing.
  explicit ShortText(std::string_view text) {
    if (text.size() > kMaxSize) return;
    size_ = static_cast<uint8_t>(text.size());
    text.copy(bytes_.data(), text.size());
  }
  bool held() const { return size_ != kNone; }
  std::string_view view() const { return {bytes_.data(), held() ? size_ : size_t{0}}; }

 private:
  static constexpr uint8_t kNone = 0xFF;
  uint8_t size_ = kNone;
  std::array<char, kMaxSize> bytes_{};
};

enum class LogStatus : uint8_t { kChecked, kSetAside, kUnreadable };

struct LogResult {
  std::string file;
  LogStatus status = LogStatus::kUnreadable;
  std::string station;  // normalised; empty when none could be found
  uint32_t station_id = kNoLine;
  // Why the log was set aside or could not be read; empty when checked.
  std::string note;
  logfile::ParsedLog log;  // its contacts in time order (file order for equal times)
  logfile::Report reader_report;
  size_t check_findings = 0;  // what the raw score's check reported besides

  ScoreTotals raw{};
  ScoreTotals credited{};
  int64_t raw_score = 0;
  int64_t penalty_points = 0;
  int64_t checked_score = 0;
  size_t contact_lines = 0;  // scored contacts and lines not scored
  std::array<size_t, kDecisionCount> decisions{};
  int64_t clock_offset = 0;  // minutes: its own time minus the other side's
  size_t clock_matches = 0;

  uint32_t first_line = 0;  // its first contact's index in ContestResults::lines
  // Stations that logged this one but are not in its log, and stations that
  // logged its call busted (sorted).
  std::vector<std::string> not_in_log;
  std::vector<std::string> busted_our_call;

  // Lost credit over the lines that were checked (scored, not dupes), as a
  // fraction; 0 for a log with none.
  double ErrorRate() const;
  // The category headers joined by blanks; empty when the log names none.
  std::string CategoryLabel() const;
};

struct ContestResults {
  ContestOptions options;
  std::vector<LogResult> logs;     // sorted by file name
  std::vector<ContestLine> lines;  // the checked logs' contacts, log by log
  std::vector<std::string> calls;  // by id; ids follow the calls' byte order
  // By line: for a paired line (ok, busted-exchange), what the other side
  // sent when it is short, so that the outputs read it without reaching
  // into the other log; else nothing held.
  std::vector<ShortText> paired_exchanges;
  // How many times the clock estimate went round (at most its cap).
  int clock_rounds = 0;
  // Total findings: everything a reader or a raw check reported, logs set
  // aside and files that are not logs.
  size_t reported = 0;
};

// Checks the contest. Throws only when the district table exists but
// cannot be read (FileOpenError) or memory runs out; every problem of a log
// is reported in its LogResult.
ContestResults CheckContest(std::vector<LogInput> inputs, const ContestOptions& options);

}  // namespace qxqy::crosscheck
