#include "crosscheck/contest_logs.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "crosscheck/call_sign.h"
#include "crosscheck/huge_pages.h"
#include "crosscheck/parallel.h"
#include "logfile/byte_source.h"
#include "logfile/log_file.h"

namespace qxqy::crosscheck {
namespace {

using logfile::ByteSource;
using logfile::ParsedLog;

void ReadOne(const LogInput& input, LogResult& result) {
  result.file = input.name;
  try {
    std::optional<ByteSource> source;
    if (input.bytes) {
      source.emplace(ByteSource::InMemory{}, *input.bytes);
    } else {
      source.emplace(input.path);
    }
    // ReadLog says so of a UTF-16 file; the format is told here first, so
    // that a file that is no log gets words that fit a whole folder.
    const std::optional<logfile::LogFormat> format = logfile::DetectLogFormat(source->Ahead());
    if (!format && !logfile::LooksLikeUtf16(source->Ahead())) {
      result.status = LogStatus::kUnreadable;
      result.note = source->Ahead().empty()
                        ? "an empty file, not a log"
                        : "not a log: neither Cabrillo (START-OF-LOG:) nor ADIF (<EOH> or <EOR>)";
      return;
    }
    result.log = logfile::ReadLog(*source, format, result.reader_report);
    result.reader_report.SortByLine();
  } catch (const logfile::LogReadError& error) {
    result.status = LogStatus::kUnreadable;
    result.note = error.what();
    return;
  }
  // A contest keeps every log in memory: each only as large as it is.
  result.log.ShrinkToFit();
  auto& contacts = result.log.contacts();
  const auto earlier = [](const ParsedLog::Contact& a, const ParsedLog::Contact& b) {
    return a.time_key < b.time_key;
  };
  // Most logs are in time order already: then the sort and its buffer are
  // not needed.
  if (!std::is_sorted(contacts.begin(), contacts.end(), earlier)) {
    std::stable_sort(contacts.begin(), contacts.end(), earlier);
  }
  result.contact_lines = contacts.size() + result.log.unscored_lines.size();
  result.station = StationOfLog(result.log);
  if (result.station.empty()) {
    result.status = LogStatus::kUnreadable;
    result.note = "the log names no station (no CALLSIGN: header, no sent call)";
    return;
  }
  result.status = LogStatus::kChecked;
}

}  // namespace

std::string StationOfLog(const ParsedLog& log) {
  std::string station = NormalizeCall(log.header_call);
  if (!station.empty()) return station;
  std::vector<size_t> counts(log.sent_calls().size(), 0);
  for (const ParsedLog::Contact& contact : log.contacts()) {
    if (contact.sent_call < counts.size()) ++counts[contact.sent_call];
  }
  size_t best = counts.size();
  for (size_t i = 0; i < counts.size(); ++i) {
    if (log.sent_calls()[i].empty()) continue;
    if (best == counts.size() || counts[i] > counts[best]) best = i;
  }
  if (best < counts.size()) station = NormalizeCall(log.sent_calls()[best]);
  if (station.empty()) station = NormalizeCall(log.own_call);
  return station;
}

void ReadContestLogs(std::vector<LogInput> inputs, ContestResults& results) {
  std::stable_sort(inputs.begin(), inputs.end(),
                   [](const LogInput& a, const LogInput& b) { return a.name < b.name; });
  results.logs.clear();
  // Read again and again in random order while the lines are matched.
  ReserveWithHugePages(results.logs, inputs.size());
  results.logs.resize(inputs.size());
  const auto& progress = results.options.progress;
  ParallelFor(
      inputs.size(), results.options.threads,
      [&](size_t i) { ReadOne(inputs[i], results.logs[i]); },
      [&](size_t done) {
        if (progress) progress("reading", done, inputs.size());
      });
}

void SetAsideSecondLogs(ContestResults& results) {
  std::map<std::string, size_t> checked;  // station -> its checked log
  for (size_t i = 0; i < results.logs.size(); ++i) {
    LogResult& log = results.logs[i];
    if (log.status != LogStatus::kChecked) continue;
    const auto [found, added] = checked.emplace(log.station, i);
    if (added) continue;
    LogResult& other = results.logs[found->second];
    // Logs are in file-name order: the earlier one wins a tie.
    if (log.contact_lines > other.contact_lines) {
      other.status = LogStatus::kSetAside;
      found->second = i;
    } else {
      log.status = LogStatus::kSetAside;
    }
  }
  for (LogResult& log : results.logs) {
    if (log.status != LogStatus::kSetAside) continue;
    log.note = "a second log of " + log.station + ": " +
               results.logs[checked.at(log.station)].file + " is checked";
  }
}

}  // namespace qxqy::crosscheck
