// The contest index against a plain scan of the lines: every lookup, every
// time window, who logged each call and every mirror group, on generated contests and on one with
// lines the mirror groups must leave out (a log's own call, calls without a log).
#include "crosscheck/contest_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "crosscheck/contest_logs.h"
#include "crosscheck/contest_test_support.h"
#include "crosscheck/log_scores.h"

namespace qxqy::crosscheck {
namespace {

using Lines = std::vector<uint32_t>;

Lines Of(LineSpan span) { return Lines(span.begin(), span.end()); }

ContestResults Indexed(std::vector<LogInput> logs, unsigned threads) {
  ContestResults results;
  results.options = TestOptions();
  results.options.threads = threads;
  ReadContestLogs(std::move(logs), results);
  SetAsideSecondLogs(results);
  return results;
}

// Log `log`'s lines to `call` (on `band` and `mode` when `band_and_mode`),
// by band, mode and line: what a scan finds.
Lines Scanned(const ContestResults& results, uint32_t log, uint32_t call, bool band_and_mode,
              uint8_t band = 0, uint8_t mode = 0) {
  std::vector<std::tuple<uint8_t, uint8_t, uint32_t>> found;
  for (uint32_t i = 0; i < results.lines.size(); ++i) {
    const ContestLine& line = results.lines[i];
    if (line.log != log || line.call != call) continue;
    if (band_and_mode && (line.band != band || line.mode != mode)) continue;
    found.emplace_back(line.band, line.mode, i);
  }
  std::sort(found.begin(), found.end());
  Lines lines;
  for (const auto& entry : found) lines.push_back(std::get<2>(entry));
  return lines;
}

// Checks every lookup of `results`' index against the scan; `label` names
// the contest in failures.
void ExpectIndexAgreesWithScan(ContestResults& results, const std::string& label) {
  const std::vector<std::vector<int32_t>> points = ScoreRaw(results).points;
  ContestIndex index(results, points);
  std::vector<uint32_t> checked;
  for (uint32_t l = 0; l < results.logs.size(); ++l) {
    if (results.logs[l].status == LogStatus::kChecked) checked.push_back(l);
  }
  std::set<std::tuple<uint8_t, uint8_t>> bands_and_modes;
  for (const ContestLine& line : results.lines) bands_and_modes.emplace(line.band, line.mode);

  // Lookups of a log's lines to a station that has a log, both ways.
  std::map<std::tuple<uint32_t, uint32_t, uint8_t, uint8_t>, std::pair<Lines, Lines>> groups;
  for (uint32_t a : checked) {
    for (uint32_t b : checked) {
      const uint32_t station = results.logs[b].station_id;
      EXPECT_EQ(Of(index.LinesTo(a, station)), Scanned(results, a, station, false))
          << label << ": " << results.logs[a].file << " to " << results.calls[station];
      for (const auto& [band, mode] : bands_and_modes) {
        const Lines scanned = Scanned(results, a, station, true, band, mode);
        EXPECT_EQ(Of(index.LinesTo(a, station, band, mode)), scanned)
            << label << ": " << results.logs[a].file << " to " << results.calls[station] << " on "
            << int{band} << "/" << int{mode};
        const Lines mirror = Scanned(results, b, results.logs[a].station_id, true, band, mode);
        if (a < b && !scanned.empty() && !mirror.empty()) {
          groups[{a, b, band, mode}] = {scanned, mirror};
        }
      }
    }
  }
  // A log's lines in a time window (no clock offsets yet: as logged).
  for (uint32_t a : checked) {
    for (const ContestLine& around : results.lines) {
      for (const int64_t reach : {0, 3}) {
        const int64_t first = around.minute - reach;
        const int64_t last = around.minute + reach;
        Lines scanned;
        for (uint32_t i = 0; i < results.lines.size(); ++i) {
          const ContestLine& line = results.lines[i];
          if (line.log == a && line.minute >= first && line.minute <= last) scanned.push_back(i);
        }
        const LineRange range = index.LinesBetween(a, first, last);
        EXPECT_EQ(Lines(range.begin(), range.end()), scanned)
            << label << ": " << results.logs[a].file << " from " << first << " to " << last;
      }
    }
  }
  // Who logged a call, and the open lines to it near a time.
  index.IndexOpenLinesByWorkedCall();
  for (uint32_t call = 0; call < results.calls.size(); ++call) {
    for (uint32_t a = 0; a < results.logs.size(); ++a) {
      const bool scanned =
          std::any_of(results.lines.begin(), results.lines.end(),
                      [&](const ContestLine& l) { return l.call == call && l.log != a; });
      EXPECT_EQ(index.LoggedByOtherThan(call, a), scanned)
          << label << ": " << results.calls[call] << " beside " << results.logs[a].file;
    }
    for (const ContestLine& around : results.lines) {
      const int64_t first = around.minute - 3;
      const int64_t last = around.minute + 3;
      std::vector<std::tuple<int64_t, uint32_t, uint32_t, uint32_t>> found;
      for (uint32_t i = 0; i < results.lines.size(); ++i) {
        const ContestLine& l = results.lines[i];
        if (l.call != call || l.band != around.band || l.mode != around.mode) continue;
        if (l.decision == Decision::kDupe || l.minute < first || l.minute > last) continue;
        found.emplace_back(l.minute, results.logs[l.log].station_id, l.contact, i);
      }
      std::sort(found.begin(), found.end());
      Lines scanned;
      for (const auto& entry : found) scanned.push_back(std::get<3>(entry));
      EXPECT_EQ(Of(index.LinesLoggingNear(call, around.band, around.mode, first, last)), scanned)
          << label << ": lines to " << results.calls[call] << " near " << around.minute;
    }
  }
  // Calls of no log's station are not indexed.
  for (uint32_t call = 0; call < results.calls.size(); ++call) {
    if (index.LogOfStation(call) != kNoLine) continue;
    for (uint32_t a : checked) EXPECT_TRUE(index.LinesTo(a, call).empty()) << label;
  }

  // Every mirror group with lines on both sides visited once, in its
  // first log's bucket, with both sides as the lookups give them.
  std::map<std::tuple<uint32_t, uint32_t, uint8_t, uint8_t>, std::pair<Lines, Lines>> visited;
  for (size_t bucket = 0; bucket < index.mirror_buckets(); ++bucket) {
    index.ForEachMirrorGroup(bucket, [&](const MirrorGroup& group) {
      EXPECT_EQ(group.first_log, bucket) << label;
      const ContestLine& line = results.lines[*group.first.begin()];
      const auto key = std::make_tuple(group.first_log, group.second_log, line.band, line.mode);
      EXPECT_EQ(visited.count(key), 0U) << label << ": a group visited twice";
      visited[key] = {Of(group.first), Of(group.second)};
    });
  }
  EXPECT_EQ(visited, groups) << label;
}

TEST(ContestIndex, LookupsAndMirrorGroupsAgreeWithAScanOfTheLines) {
  for (unsigned seed = 1; seed <= 30; ++seed) {
    ContestResults results = Indexed(Generate(seed, 2 + seed % 9).logs, 1 + seed % 3);
    ExpectIndexAgreesWithScan(results, "seed " + std::to_string(seed));
  }
}

TEST(ContestIndex, MirrorGroupsLeaveOutOwnCallsAndCallsWithoutALog) {
  // QX1AA logs itself and a station without a log; QY2BB has lines on a
  // band QX1AA never worked it on, and bands on both sides interleave.
  std::vector<LogInput> logs = {
      Log("a", "QX1AA", "AAA",
          {"14 CW 1200 QY2BB BBB", "14 CW 1201 QX1AA AAA", "7 CW 1202 QY2BB BBB",
           "14 CW 1203 DL1XX 001", "21 CW 1204 QY2BB BBB", "14 CW 1205 QX3CC CCC"}),
      Log("b", "QY2BB", "BBB",
          {"7 CW 1202 QX1AA AAA", "14 CW 1200 QX1AA AAA", "3.5 CW 1206 QX1AA AAA",
           "28 CW 1207 QX3CC CCC"}),
      Log("c", "QX3CC", "CCC", {"28 CW 1207 QY2BB BBB", "14 PH 1205 QX1AA AAA"}),
  };
  ContestResults results = Indexed(logs, 2);
  ExpectIndexAgreesWithScan(results, "handmade");
}

}  // namespace
}  // namespace qxqy::crosscheck
