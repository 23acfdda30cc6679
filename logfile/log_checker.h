// Scores a read log through a contest session, as if the host had passed
// each contact live through _AddQSO with that contact's own fields, in time
// order (stable: contacts of equal time keep file order), and adds to the
// report each unresolved country (the own call's too) and each duplicate
// with the line it repeats, and, for the log as a whole, a missing district
// table (no district multiplier is then counted) and a Cabrillo log cut off
// before END-OF-LOG:.
//
// Threads: CheckLog runs on the calling thread. ReadAndCheckLog may use a
// second thread of its own for the time of the call (see there). Neither
// keeps any state between calls, so checks of different logs may run on
// different threads at once, sharing only the options' country file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logfile/byte_source.h"
#include "logfile/contact_fields.h"
#include "logfile/country_file.h"
#include "logfile/log_file.h"
#include "logfile/parsed_log.h"
#include "logfile/report.h"
#include "logfile/report_writers.h"
#include "refdata/reference_files.h"
#include "scoring/stat_list.h"
#include "scoring/statistics_table.h"

namespace qxqy::logfile {

struct CheckOptions {
  // Folder holding the district table (with its trailing separator).
  std::string plugins_folder;
  // The reference files of that folder loaded once for many checks
  // (LoadReferenceTables); null: each check loads them itself.
  std::shared_ptr<const ReferenceTables> reference_tables;
  // The country file; null for the built-in rule. Must outlive the check.
  const CountryFile* countries = nullptr;
  // The operator's group; default: the group of the log's own call.
  std::optional<std::string> own_group;
  // One group for every contact; default: each contact's own (see
  // GroupOfCountry).
  std::optional<std::string> contact_group;
  // ReadAndCheckLog reads the log on a second thread while this one scores
  // what was read so far (see there). Off by default: a caller that checks
  // several logs at once keeps each check on one thread.
  bool read_while_scoring = false;
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

using OnScoredContact = std::function<void(const ScoredContact&)>;

// Sorts `log`'s contacts by time and scores them. `on_contact`, when given,
// sees every contact right after the engine scored it. Throws FileOpenError
// when the district table exists but cannot be read.
CheckResult CheckLog(ParsedLog& log, const CheckOptions& options, Report& report,
                     const OnScoredContact& on_contact = {});

// The figures of every band (as CheckResult::bands) that CheckLog would
// give for a log holding only those contacts of `log` for which
// `selected(index)` is true (an index into log.contacts()), in the order
// `log` holds them (CheckLog's time order, for a log it checked before).
// Makes no report and copies no contact: for a caller that scores a part
// of a log it checked already. `kept`, when given, holds each contact's
// fields as the earlier check derived them (its ScoredContact's wpx and
// country), one per contact of `log`, so that they are not derived again.
// Throws as CheckLog does.
std::vector<TStatistic> ScoreSelectedContacts(const ParsedLog& log, const CheckOptions& options,
                                              const std::function<bool(size_t)>& selected,
                                              const std::vector<KeptFields>* kept = nullptr);

struct CheckedLog {
  ParsedLog log;  // its contacts in time order
  CheckResult result;
};

// ReadLog and then CheckLog, with what they throw (a log that cannot be
// read before a district table that cannot), and the same results, report
// and calls of `on_contact`, byte for byte.
//
// With options.read_while_scoring and no `on_contact`, the log is read on
// a second thread while this one scores the contacts read so far, as long
// as they come in time order and the own group stays the one the log had
// at its first contact. A log that breaks either (a contact earlier than
// the one before it, an own call named after the contacts) is scored again
// once read, sorted, by CheckLog: the first scoring is dropped whole, so
// the results never depend on which thread got how far when. The reading
// thread writes the log and the reader's findings in `report`; this thread
// touches neither until the reading ended, and adds its own findings after
// the reader's, in CheckLog's order.
CheckedLog ReadAndCheckLog(ByteSource& source, std::optional<LogFormat> format,
                           const CheckOptions& options, Report& report,
                           const OnScoredContact& on_contact = {});

// What the report writers show of a check of `file`; points into `result`
// and `report`, which must outlive it.
CheckSummary SummarizeCheck(std::string file, const ParsedLog& log, const CheckResult& result,
                            const Report& report);

}  // namespace qxqy::logfile
