#include "crosscheck/contest_index.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <string>
#include <tuple>

#include "base/error.h"
#include "base/small_bytes.h"
#include "crosscheck/call_sign.h"
#include "crosscheck/counting_sort.h"
#include "crosscheck/huge_pages.h"
#include "crosscheck/parallel.h"
#include "scoring/hash_slots.h"

namespace qxqy::crosscheck {
namespace {

// The normalised call of a contact: the reader's text itself when it has
// no slash (readers give calls upper case and trimmed).
std::string_view NormalizedView(std::string_view call, std::string& storage) {
  if (call.find('/') == std::string_view::npos) return call;
  storage = NormalizeCall(call);
  return storage;
}

// Days from 0000-03-01 to the date (the proleptic Gregorian calendar).
int64_t DaysOfDate(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t year_of_era = year - era * 400;
  const int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era;
}

// A line's place in its worked call's run as one number: band and mode,
// then the corrected time. Times are kept within ±2^47 minutes (a time key
// of a four-digit year is under 2^33), so the order of the keys is the
// order of (band, mode, corrected time).
constexpr int64_t kWorkedTimeLimit = int64_t{1} << 47;
uint64_t WorkedKey(uint16_t band_mode, int64_t corrected) {
  const int64_t time = std::clamp(corrected, -kWorkedTimeLimit, kWorkedTimeLimit - 1);
  return (uint64_t{band_mode} << 48) | static_cast<uint64_t>(time + kWorkedTimeLimit);
}

// The contact lines of the checked logs from `first` to `end` (not
// included).
size_t LinesOfLogs(const ContestResults& results, size_t first, size_t end) {
  size_t lines = 0;
  for (size_t l = first; l < end; ++l) {
    if (results.logs[l].status == LogStatus::kChecked)
      lines += results.logs[l].log.contacts().size();
  }
  return lines;
}

}  // namespace

int64_t MinutesOfTimeKey(int64_t time_key) {
  const int64_t minute = time_key / 100 % 100;
  const int64_t hour = time_key / 10000 % 100;
  const int64_t day = time_key / 1000000 % 100;
  const int64_t month = time_key / 100000000 % 100;
  const int64_t year = time_key / 10000000000;
  return (DaysOfDate(year, month, day) * 24 + hour) * 60 + minute;
}

ContestIndex::ContestIndex(ContestResults& results,
                           const std::vector<std::vector<int32_t>>& raw_points)
    : results_(results) {
  size_t total = 0;
  for (const LogResult& log : results.logs) {
    if (log.status == LogStatus::kChecked) total += log.log.contacts().size();
  }
  if (total >= kNoLine) throw Error("the contest holds more contacts than the check can keep");

  // The logs are cut into one run per thread (of about equal lines). In
  // each run, every checked station and every call a checked log works gets
  // a run-local id in the order first seen, in one pass that fills the
  // lines; then every id is renumbered in the calls' byte order, so
  // nothing depends on the runs.
  struct Run {
    size_t first_log = 0, end_log = 0;
    std::deque<std::string> names;   // by local id; a deque keeps the views valid
    std::vector<uint32_t> final_id;  // by local id
  };
  std::vector<Run> runs(std::max(1U, results.options.threads));
  {
    size_t line = 0;
    size_t run = 0;
    for (size_t l = 0; l < results.logs.size(); ++l) {
      LogResult& log = results.logs[l];
      log.first_line = static_cast<uint32_t>(line);
      if (log.status == LogStatus::kChecked) line += log.log.contacts().size();
      while (run + 1 < runs.size() && line * runs.size() > total * (run + 1)) {
        runs[run].end_log = l + 1;
        runs[++run].first_log = l + 1;
      }
    }
    runs[run].end_log = results.logs.size();
    while (++run < runs.size()) runs[run].first_log = runs[run].end_log = results.logs.size();
  }
  results.lines.clear();
  ResizeWithHugePages(results.lines, total, results.options.threads);
  ResizeWithHugePages(exchanges_, total, results.options.threads);
  ParallelFor(runs.size(), results.options.threads, [&](size_t r) {
    Run& run = runs[r];
    HashSlots ids;
    // Most calls are worked by many logs: a run holds far fewer calls than
    // lines, and growing the index from nothing would place every call
    // again at each doubling.
    ids.Reserve(LinesOfLogs(results, run.first_log, run.end_log) / 8);
    const auto intern = [&](std::string_view call) {
      const uint32_t hash = HashBytes(call);
      auto probe = ids.Find(hash, [&](uint32_t id) { return SameSmallBytes(run.names[id], call); });
      if (probe.found) return probe.ref;
      if (run.names.size() >= kNoLine - 1) throw Error("the contest holds too many calls");
      const auto id = static_cast<uint32_t>(run.names.size());
      run.names.emplace_back(call);
      if (ids.FullForOneMore()) {
        ids.Grow();
        probe = ids.FindEmpty(hash);
      }
      ids.Fill(probe, hash, id);
      return id;
    };
    std::string storage;
    for (size_t l = run.first_log; l < run.end_log; ++l) {
      LogResult& log = results.logs[l];
      if (log.status != LogStatus::kChecked) continue;
      log.station_id = intern(log.station);
      const auto& contacts = log.log.contacts();
      for (size_t c = 0; c < contacts.size(); ++c) {
        // The calls land on random slots of the index: the slot of a call
        // a few contacts on is asked for now (most calls are interned as
        // logged, so their hash is the logged call's).
        if (constexpr size_t kAhead = 8; c + kAhead < contacts.size()) {
          ids.Prefetch(HashBytes(log.log.TextOf(contacts[c + kAhead]).call));
        }
        const auto& contact = contacts[c];
        const logfile::ContactText text = log.log.TextOf(contact);
        const uint32_t call = intern(NormalizedView(text.call, storage));
        exchanges_[log.first_line + c] = {ShortText(log.log.ExchangeWithoutReport(contact)),
                                          ShortText(text.sent_exchange)};
        const int32_t points = raw_points[l][c];
        results.lines[log.first_line + c] = {MinutesOfTimeKey(contact.time_key),
                                             static_cast<uint32_t>(l),
                                             static_cast<uint32_t>(c),
                                             call,
                                             kNoLine,
                                             points,
                                             contact.band,
                                             contact.mode,
                                             points < 0 ? Decision::kDupe : Decision::kUnique,
                                             false};
      }
    }
  });
  results.calls.clear();
  for (const Run& run : runs)
    results.calls.insert(results.calls.end(), run.names.begin(), run.names.end());
  std::sort(results.calls.begin(), results.calls.end());
  results.calls.erase(std::unique(results.calls.begin(), results.calls.end()), results.calls.end());
  if (results.calls.size() >= kNoLine) throw Error("the contest holds too many calls");
  // The first and last log that logs each call, per run, then over all.
  std::vector<std::vector<std::pair<uint32_t, uint32_t>>> logging(runs.size());
  ParallelFor(runs.size(), results.options.threads, [&](size_t r) {
    Run& run = runs[r];
    auto& logs_of_call = logging[r];
    logs_of_call.assign(results.calls.size(), {kNoLine, kNoLine});
    run.final_id.resize(run.names.size());
    for (size_t local = 0; local < run.names.size(); ++local) {
      run.final_id[local] = IdOfCall(run.names[local]);
    }
    run.names.clear();
    for (size_t l = run.first_log; l < run.end_log; ++l) {
      LogResult& log = results.logs[l];
      if (log.status != LogStatus::kChecked) continue;
      log.station_id = run.final_id[log.station_id];
      for (size_t c = 0; c < log.log.contacts().size(); ++c) {
        ContestLine& line = results.lines[log.first_line + c];
        line.call = run.final_id[line.call];
        auto& [first, last] = logs_of_call[line.call];
        if (first == kNoLine) first = static_cast<uint32_t>(l);
        last = static_cast<uint32_t>(l);
      }
    }
  });
  // Runs hold ascending runs of logs: the first run that logs a call has
  // its first log, the last run its last.
  logs_logging_.assign(results.calls.size(), {kNoLine, kNoLine});
  for (const auto& logs_of_call : logging) {
    for (size_t call = 0; call < logs_of_call.size(); ++call) {
      const auto [first, last] = logs_of_call[call];
      if (first == kNoLine) continue;
      if (logs_logging_[call].first == kNoLine) logs_logging_[call].first = first;
      logs_logging_[call].second = last;
    }
  }
  log_of_station_.assign(results.calls.size(), kNoLine);
  station_of_log_.assign(results.logs.size(), kNoLine);
  for (size_t l = 0; l < results.logs.size(); ++l) {
    const LogResult& log = results.logs[l];
    if (log.status != LogStatus::kChecked) continue;
    log_of_station_[log.station_id] = static_cast<uint32_t>(l);
    station_of_log_[l] = log.station_id;
  }

  log_offset_.assign(results.logs.size(), 0);

  BuildMirrorGroups();
}

void ContestIndex::BuildMirrorGroups() {
  const auto& lines = results_.lines;
  const auto other_log = [&](const ContestLine& line) { return log_of_station_[line.call]; };
  // A counting sort into the buckets, in line order...
  const unsigned threads = results_.options.threads;
  mirror_start_ = CountingSort(
      lines.size(), results_.logs.size(), threads,
      [&](size_t i) {
        const uint32_t other = other_log(lines[i]);
        return other == kNoLine ? kNoBucket : std::min(lines[i].log, other);
      },
      [&](size_t indexed) {
        ResizeWithHugePages(mirror_lines_, indexed, threads);
        ResizeWithHugePages(mirror_keys_, indexed, threads);
      },
      [&](size_t i, uint32_t at) {
        const ContestLine& line = lines[i];
        mirror_lines_[at] = static_cast<uint32_t>(i);
        mirror_keys_[at] =
            SideOf(line.log, other_log(line)).key | MirrorKey(0, 0, line.band, line.mode);
      });
  // ... then each bucket sorted by key and line, on every thread.
  ParallelFor(mirror_buckets(), results_.options.threads, [&](size_t bucket) {
    const size_t begin = mirror_start_[bucket];
    const size_t end = mirror_start_[bucket + 1];
    thread_local std::vector<std::pair<uint64_t, uint32_t>> sorted;
    sorted.clear();
    for (size_t k = begin; k < end; ++k) sorted.emplace_back(mirror_keys_[k], mirror_lines_[k]);
    std::sort(sorted.begin(), sorted.end());
    for (size_t k = begin; k < end; ++k) {
      mirror_keys_[k] = sorted[k - begin].first;
      mirror_lines_[k] = sorted[k - begin].second;
    }
  });
}

ContestIndex::SideKey ContestIndex::SideOf(uint32_t log, uint32_t other_log) const {
  const uint32_t first = std::min(log, other_log);
  const uint32_t second = std::max(log, other_log);
  return {first, MirrorKey(second, log == first ? 0 : 1, 0, 0)};
}

void ContestIndex::ApplyClockOffsets() {
  for (size_t l = 0; l < results_.logs.size(); ++l) log_offset_[l] = results_.logs[l].clock_offset;
}

void ContestIndex::IndexOpenLinesByWorkedCall() {
  const auto& lines = results_.lines;
  const auto open = [&](const ContestLine& line) {
    return line.decision != Decision::kDupe && !line.paired;
  };
  // Counting sort by call, then each call's lines by band, mode and
  // corrected time; the station and the contact settle equal times.
  worked_start_ = CountingSort(
      lines.size(), results_.calls.size(), results_.options.threads,
      [&](size_t i) { return open(lines[i]) ? lines[i].call : kNoBucket; },
      [&](size_t indexed) {
        by_worked_.clear();
        worked_keys_.clear();
        ResizeWithHugePages(by_worked_, indexed, results_.options.threads);
        ResizeWithHugePages(worked_keys_, indexed, results_.options.threads);
      },
      [&](size_t i, uint32_t at) { by_worked_[at] = static_cast<uint32_t>(i); });
  // Each call's run sorted on its own (the order is total: one line per
  // station and contact), calls shared out among the threads in blocks.
  // The keys are read once into a scratch run, so that comparing two lines
  // reads no line.
  struct Entry {
    uint16_t band_mode;
    int64_t corrected;
    uint32_t station, contact, line;
    bool operator<(const Entry& other) const {
      return std::tie(band_mode, corrected, station, contact) <
             std::tie(other.band_mode, other.corrected, other.station, other.contact);
    }
  };
  constexpr size_t kCallsPerJob = 1024;
  constexpr size_t kLinesAhead = 16;
  const size_t calls = worked_start_.size() - 1;
  ParallelFor((calls + kCallsPerJob - 1) / kCallsPerJob, results_.options.threads, [&](size_t job) {
    std::vector<Entry> run;
    const size_t end = std::min(calls, (job + 1) * kCallsPerJob);
    for (size_t call = job * kCallsPerJob; call < end; ++call) {
      run.clear();
      for (uint32_t k = worked_start_[call]; k < worked_start_[call + 1]; ++k) {
        // The lines of a call are spread over the contest: ask ahead.
        if (k + kLinesAhead < by_worked_.size()) {
          __builtin_prefetch(&lines[by_worked_[k + kLinesAhead]]);
        }
        const uint32_t i = by_worked_[k];
        const ContestLine& line = lines[i];
        run.push_back({static_cast<uint16_t>(line.band << 8 | line.mode), Corrected(i),
                       station_of_log_[line.log], line.contact, i});
      }
      std::sort(run.begin(), run.end());
      for (size_t k = 0; k < run.size(); ++k) {
        const Entry& entry = run[k];
        by_worked_[worked_start_[call] + k] = entry.line;
        worked_keys_[worked_start_[call] + k] = WorkedKey(entry.band_mode, entry.corrected);
      }
    }
  });
}

uint32_t ContestIndex::IdOfCall(std::string_view call) const {
  const auto& calls = results_.calls;
  const auto found = std::lower_bound(calls.begin(), calls.end(), call);
  if (found == calls.end() || *found != call) return kNoLine;
  return static_cast<uint32_t>(found - calls.begin());
}

LineSpan ContestIndex::KeyRange(uint32_t bucket, uint64_t low, uint64_t high) const {
  const uint64_t* keys = mirror_keys_.data() + mirror_start_[bucket];
  const uint64_t* keys_end = mirror_keys_.data() + mirror_start_[bucket + 1];
  const uint64_t* first = std::lower_bound(keys, keys_end, low);
  const uint64_t* last = std::lower_bound(first, keys_end, high);
  const uint32_t* lines = mirror_lines_.data();
  return {lines + (first - mirror_keys_.data()), lines + (last - mirror_keys_.data())};
}

LineSpan ContestIndex::LinesTo(uint32_t log, uint32_t call, uint8_t band, uint8_t mode) const {
  const uint32_t other = LogOfStation(call);
  if (other == kNoLine) return {};
  const SideKey side = SideOf(log, other);
  const uint64_t key = side.key | MirrorKey(0, 0, band, mode);
  return KeyRange(side.bucket, key, key + 1);
}

LineSpan ContestIndex::LinesTo(uint32_t log, uint32_t call) const {
  const uint32_t other = LogOfStation(call);
  if (other == kNoLine) return {};
  const SideKey side = SideOf(log, other);
  return KeyRange(side.bucket, side.key, side.key + MirrorKey(0, 1, 0, 0));
}

LineRange ContestIndex::LinesBetween(uint32_t log, int64_t first, int64_t last) const {
  const LogResult& result = results_.logs[log];
  if (result.status != LogStatus::kChecked || first > last) return {0, 0};
  const ContestLine* begin = results_.lines.data() + result.first_line;
  const ContestLine* end = begin + result.log.contacts().size();
  // One offset for the whole log: its corrected times are in order too.
  const int64_t offset = log_offset_[log];
  const ContestLine* from = std::partition_point(
      begin, end, [&](const ContestLine& line) { return line.minute - offset < first; });
  const ContestLine* to = std::partition_point(
      from, end, [&](const ContestLine& line) { return line.minute - offset <= last; });
  const auto number = [&](const ContestLine* line) {
    return static_cast<uint32_t>(line - results_.lines.data());
  };
  return {number(from), number(to)};
}

LineSpan ContestIndex::LinesLoggingNear(uint32_t call, uint8_t band, uint8_t mode, int64_t first,
                                        int64_t last) const {
  if (call + 1 >= worked_start_.size() || first > last) return {};
  const uint16_t band_mode = static_cast<uint16_t>(band << 8 | mode);
  const uint64_t* keys = worked_keys_.data();
  const uint64_t* begin = keys + worked_start_[call];
  const uint64_t* end = keys + worked_start_[call + 1];
  const uint64_t* from = std::lower_bound(begin, end, WorkedKey(band_mode, first));
  const uint64_t* to = std::upper_bound(from, end, WorkedKey(band_mode, last));
  return {by_worked_.data() + (from - keys), by_worked_.data() + (to - keys)};
}

bool ContestIndex::LoggedByOtherThan(uint32_t call, uint32_t log) const {
  const auto [first, last] = logs_logging_[call];
  return first != last || (first != log && first != kNoLine);
}

}  // namespace qxqy::crosscheck
