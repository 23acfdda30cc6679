#include "crosscheck/site_view.h"

#include <algorithm>
#include <limits>

#include "crosscheck/contact_rows.h"
#include "crosscheck/parallel.h"
#include "crosscheck/result_writers.h"
#include "crosscheck/site/site_writer.h"
#include "logfile/band_table.h"

namespace qxqy::crosscheck {
namespace {

int64_t HourOf(const ContestLine& line) {
  constexpr int64_t kMinutes = 60;
  return line.minute >= 0 ? line.minute / kMinutes : -((-line.minute + kMinutes - 1) / kMinutes);
}

// "YYYY-MM-DD HHZ" for the hour of a contact's time key.
std::string HourLabel(int64_t time_key) { return FormatTimeKey(time_key).substr(0, 13) + "Z"; }

// The contact lines of checked log `log` in ContestResults::lines.
struct LogLines {
  const ContestLine* begin;
  const ContestLine* end;
};
LogLines LinesOf(const ContestResults& results, size_t log) {
  const LogResult& result = results.logs[log];
  const ContestLine* first = results.lines.data() + result.first_line;
  return {first, first + result.log.contacts().size()};
}

int64_t TimeKeyOf(const ContestResults& results, const ContestLine& line) {
  return results.logs[line.log].log.contacts()[line.contact].time_key;
}

// The log's CLAIMED-SCORE when it is a whole number (blanks around it
// allowed), else nothing.
std::optional<int64_t> ClaimedScore(const LogResult& log) {
  if (!log.log.claimed_score) return std::nullopt;
  const std::string& text = *log.log.claimed_score;
  const size_t begin = text.find_first_not_of(' ');
  const size_t end = text.find_last_not_of(' ');
  if (begin == std::string::npos) return std::nullopt;
  int64_t value = 0;
  for (size_t i = begin; i <= end; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    const int64_t digit = c - '0';
    if (value > (std::numeric_limits<int64_t>::max() - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

// The credited contacts of a log per band and hour within `period`.
site::HourlyActivity Activity(const ContestResults& results, size_t log,
                              const ContestHours& period) {
  site::HourlyActivity activity;
  const LogLines lines = LinesOf(results, log);
  const bool remove_uniques = results.options.remove_uniques;
  int64_t first = std::numeric_limits<int64_t>::max();
  int64_t last = std::numeric_limits<int64_t>::min();
  const ContestLine* first_line = nullptr;
  for (const ContestLine* line = lines.begin; line != lines.end; ++line) {
    if (!IsCredited(line->decision, remove_uniques)) continue;
    const int64_t hour = HourOf(*line);
    if (period.empty || hour < period.first || hour > period.last) {
      ++activity.contacts_not_shown;
      continue;
    }
    if (hour < first) {
      first = hour;
      first_line = line;
    }
    last = std::max(last, hour);
  }
  if (first_line == nullptr) return activity;
  activity.first_hour = HourLabel(TimeKeyOf(results, *first_line));
  const auto hours = static_cast<size_t>(last - first + 1);
  std::vector<std::vector<int64_t>> counts(logfile::kBandCount);
  for (const ContestLine* line = lines.begin; line != lines.end; ++line) {
    if (!IsCredited(line->decision, remove_uniques)) continue;
    const int64_t hour = HourOf(*line);
    if (hour < first || hour > last || line->band >= logfile::kBandCount) continue;
    std::vector<int64_t>& band = counts[line->band];
    if (band.empty()) band.assign(hours, 0);
    ++band[static_cast<size_t>(hour - first)];
  }
  for (int b = 0; b < logfile::kBandCount; ++b) {
    if (counts[b].empty()) continue;
    activity.bands.push_back(
        {std::string(logfile::Bands()[b].label) + " MHz", std::move(counts[b])});
  }
  return activity;
}

}  // namespace

ContestHours ContestPeriod(const ContestResults& results) {
  const bool remove_uniques = results.options.remove_uniques;
  // The span of some of the lines: its first and last hour, and the first
  // line (in line order) of its first hour.
  struct Span {
    bool empty = true;
    int64_t first = 0, last = 0;
    size_t first_line = 0;
    void Add(int64_t hour, size_t line) {
      if (empty || hour < first) {
        first = hour;
        first_line = line;
      }
      last = empty ? hour : std::max(last, hour);
      empty = false;
    }
    void Add(const Span& later) {
      if (later.empty) return;
      Add(later.first, later.first_line);
      last = std::max(last, later.last);
    }
  };
  // The confirmed lines' span, else the credited lines', found chunk by
  // chunk on every thread.
  constexpr size_t kChunk = 1 << 16;
  std::vector<std::pair<Span, Span>> chunks((results.lines.size() + kChunk - 1) / kChunk);
  ParallelFor(chunks.size(), results.options.threads, [&](size_t chunk) {
    auto& [confirmed, credited] = chunks[chunk];
    const size_t end = std::min(results.lines.size(), (chunk + 1) * kChunk);
    for (size_t i = chunk * kChunk; i < end; ++i) {
      const ContestLine& line = results.lines[i];
      if (line.decision == Decision::kOk) confirmed.Add(HourOf(line), i);
      if (IsCredited(line.decision, remove_uniques)) credited.Add(HourOf(line), i);
    }
  });
  Span confirmed, credited;
  for (const auto& [chunk_confirmed, chunk_credited] : chunks) {
    confirmed.Add(chunk_confirmed);
    credited.Add(chunk_credited);
  }
  const Span& span = confirmed.empty ? credited : confirmed;
  if (span.empty) return {};
  ContestHours period;
  period.empty = false;
  period.first = span.first;
  period.last = span.last;
  period.label = HourLabel(TimeKeyOf(results, results.lines[span.first_line]));
  return period;
}

site::SiteModel ResultsSiteModel(const ContestResults& results, std::vector<size_t>& logs) {
  site::SiteModel model;
  logs.clear();
  std::vector<size_t> place;
  const std::vector<size_t> order = ResultOrder(results, place);
  std::optional<std::string> label;
  for (size_t i : order) {
    const LogResult& log = results.logs[i];
    if (log.status != LogStatus::kChecked) continue;
    const std::string category = log.CategoryLabel();
    if (category != label) {
      model.categories.push_back({category.empty() ? "No category given" : category, {}});
      label = category;
    }
    site::RankedStation row;
    row.place = static_cast<int64_t>(place[i]);
    row.station = model.stations.size();
    row.claimed = ClaimedScore(log);
    row.checked_score = log.checked_score;
    row.contacts_credited = log.credited.qsos;
    row.error_rate = log.ErrorRate();
    model.categories.back().rows.push_back(row);
    site::StationPage page;
    page.call = log.station;
    model.stations.push_back(std::move(page));
    logs.push_back(i);
  }
  return model;
}

site::StationPage ResultsStationPage(const ContestResults& results, size_t log,
                                     const ContestHours& period, const std::string* report) {
  site::StationPage page;
  page.call = results.logs[log].station;
  if (report != nullptr) {
    page.report = *report;
  } else {
    AppendStationReport(page.report, results, log);
  }
  ContactRows rows(results, log);
  ContactRow row;
  while (rows.Next()) {
    if (IsCredited(rows.decision(), results.options.remove_uniques)) continue;
    rows.Fill(row);
    page.lost_lines.push_back({row.line, std::string(row.call), std::string(row.band),
                               std::string(row.mode), row.time,
                               std::string(DecisionWord(row.decision)), row.evidence, row.penalty});
  }
  page.activity = Activity(results, log, period);
  return page;
}

void WriteResultsSite(const ContestResults& results, const std::string& out_dir,
                      const std::vector<std::string>* reports) {
  std::vector<size_t> logs;
  const site::SiteModel model = ResultsSiteModel(results, logs);
  const ContestHours period = ContestPeriod(results);
  site::WriteSite(
      model, out_dir,
      [&](size_t station, site::StationPage& page) {
        const size_t log = logs[station];
        const bool kept = reports != nullptr && log < reports->size() && !(*reports)[log].empty();
        page = ResultsStationPage(results, log, period, kept ? &(*reports)[log] : nullptr);
      },
      [&](size_t count, const std::function<void(size_t)>& job) {
        ParallelFor(count, results.options.threads, job);
      });
}

}  // namespace qxqy::crosscheck
