#include "crosscheck/clock_offsets.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "crosscheck/parallel.h"

namespace qxqy::crosscheck {
namespace {

struct Match {
  uint32_t partner;    // the other log
  int32_t difference;  // this log's time minus the partner's, as logged (minutes)
};

// The lines of `candidates` (one log's lines, by time) within `limit`
// minutes of `minute`, as logged.
LineSpan Near(const ContestResults& results, LineSpan candidates, int64_t minute, int64_t limit) {
  const auto& lines = results.lines;
  const auto first = std::partition_point(candidates.begin(), candidates.end(), [&](uint32_t i) {
    return lines[i].minute < minute - limit;
  });
  const auto last = std::partition_point(
      first, candidates.end(), [&](uint32_t i) { return lines[i].minute <= minute + limit; });
  return {first, last};
}

// Dupes are never evidence: the candidates without them.
uint32_t OnlyCandidate(const ContestResults& results, LineSpan near) {
  uint32_t only = kNoLine;
  for (uint32_t i : near) {
    if (results.lines[i].decision == Decision::kDupe) continue;
    if (only != kNoLine) return kNoLine;
    only = i;
  }
  return only;
}

// No match for the line: kept for lines whose difference is not found.
constexpr int8_t kNoMatch = std::numeric_limits<int8_t>::min();
static_assert(kClockMatchMinutes < 128, "a match's difference must fit an int8_t");

// For each line of `ours` whose only candidate in `theirs` (within the
// match's reach, as logged) has that line as its own only candidate: the
// line's time minus the candidate's, into difference[line].
void MatchSide(const ContestResults& results, LineSpan ours, LineSpan theirs,
               std::vector<int8_t>& difference) {
  const auto& lines = results.lines;
  for (uint32_t i : ours) {
    const ContestLine& line = lines[i];
    if (line.decision == Decision::kDupe) continue;
    const uint32_t other =
        OnlyCandidate(results, Near(results, theirs, line.minute, kClockMatchMinutes));
    if (other == kNoLine) continue;
    const uint32_t back =
        OnlyCandidate(results, Near(results, ours, lines[other].minute, kClockMatchMinutes));
    if (back == i) difference[i] = static_cast<int8_t>(line.minute - lines[other].minute);
  }
}

// Every log's matches, in its lines' order.
std::vector<std::vector<Match>> FindMatches(const ContestResults& results,
                                            const ContestIndex& index) {
  const auto& lines = results.lines;
  std::vector<int8_t> difference(lines.size(), kNoMatch);
  // Each line is in one mirror group: the groups are matched on every
  // thread, each writing its own lines' differences.
  ParallelFor(index.mirror_buckets(), results.options.threads, [&](size_t bucket) {
    index.ForEachMirrorGroup(bucket, [&](const MirrorGroup& group) {
      MatchSide(results, group.first, group.second, difference);
      MatchSide(results, group.second, group.first, difference);
    });
  });
  std::vector<std::vector<Match>> matches(results.logs.size());
  ParallelFor(results.logs.size(), results.options.threads, [&](size_t l) {
    const LogResult& log = results.logs[l];
    if (log.status != LogStatus::kChecked) return;
    for (uint32_t i = log.first_line; i < log.first_line + log.log.contacts().size(); ++i) {
      if (difference[i] == kNoMatch) continue;
      matches[l].push_back({index.LogOfStation(lines[i].call), difference[i]});
    }
  });
  return matches;
}

// The lower median of the matches' differences against the partners'
// offsets (by log; null: all 0), or 0 with too few matches.
int64_t Estimate(const std::vector<Match>& matches, const int64_t* partner_offsets,
                 std::vector<int64_t>& scratch) {
  if (matches.size() < kMinClockMatches) return 0;
  scratch.clear();
  for (const Match& match : matches) {
    scratch.push_back(match.difference +
                      (partner_offsets != nullptr ? partner_offsets[match.partner] : 0));
  }
  const auto middle = scratch.begin() + static_cast<ptrdiff_t>((scratch.size() - 1) / 2);
  std::nth_element(scratch.begin(), middle, scratch.end());
  return *middle;
}

}  // namespace

void EstimateClockOffsets(ContestResults& results, const ContestIndex& index) {
  std::vector<uint32_t> checked;
  for (uint32_t l = 0; l < results.logs.size(); ++l) {
    results.logs[l].clock_offset = 0;
    if (results.logs[l].status == LogStatus::kChecked) checked.push_back(l);
  }
  // Later rounds go in the order of the stations' calls: the result does
  // not depend on the files' names.
  std::sort(checked.begin(), checked.end(), [&](uint32_t a, uint32_t b) {
    return results.logs[a].station_id < results.logs[b].station_id;
  });
  const std::vector<std::vector<Match>> matches = FindMatches(results, index);
  for (uint32_t l : checked) results.logs[l].clock_matches = matches[l].size();
  // The offsets by log, side by side: each round reads every log's
  // partners' offsets.
  std::vector<int64_t> offsets(results.logs.size(), 0);
  // The first round reads no other offset: every log on every thread.
  ParallelFor(checked.size(), results.options.threads, [&](size_t k) {
    thread_local std::vector<int64_t> scratch;
    offsets[checked[k]] = Estimate(matches[checked[k]], nullptr, scratch);
  });
  results.clock_rounds = 1;
  std::vector<int64_t> scratch;
  for (bool changed = true; changed && results.clock_rounds < kMaxClockRounds;
       ++results.clock_rounds) {
    changed = false;
    for (uint32_t l : checked) {
      const int64_t offset = Estimate(matches[l], offsets.data(), scratch);
      if (offset != offsets[l]) {
        offsets[l] = offset;
        changed = true;
      }
    }
  }
  for (uint32_t l : checked) results.logs[l].clock_offset = offsets[l];
}

}  // namespace qxqy::crosscheck
