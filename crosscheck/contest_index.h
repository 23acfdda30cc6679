// The contest's contacts interned and indexed for matching: every call an
// id (ids in the calls' byte order, so nothing depends on the order the
// files were read in), every contact of a checked log one packed line, and
// sorted line indexes to find, without scanning, the lines between two
// checked logs (a mirror group: A's lines to B and B's lines to A on one
// band and mode, side by side) and every log's open lines to a call; a log's
// lines in a time window are found in its own lines, which are in time
// order.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <utility>
#include <vector>

#include "crosscheck/contest_check.h"

namespace qxqy::crosscheck {

// A run of line indexes inside one of the index's arrays.
class LineSpan {
 public:
  using iterator = const uint32_t*;
  LineSpan() = default;
  LineSpan(iterator first, iterator last) : first_(first), last_(last) {}
  iterator begin() const { return first_; }
  iterator end() const { return last_; }
  bool empty() const { return first_ == last_; }
  size_t size() const { return static_cast<size_t>(last_ - first_); }

 private:
  iterator first_ = nullptr;
  iterator last_ = nullptr;
};

// A run of consecutive lines (a log's lines, in time order).
class LineRange {
 public:
  class iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = uint32_t;
    using difference_type = std::ptrdiff_t;
    using pointer = const uint32_t*;
    using reference = uint32_t;
    explicit iterator(uint32_t line) : line_(line) {}
    uint32_t operator*() const { return line_; }
    iterator& operator++() {
      ++line_;
      return *this;
    }
    bool operator==(const iterator& other) const { return line_ == other.line_; }
    bool operator!=(const iterator& other) const { return line_ != other.line_; }

   private:
    uint32_t line_;
  };
  LineRange(uint32_t first, uint32_t last) : first_(first), last_(last) {}
  iterator begin() const { return iterator(first_); }
  iterator end() const { return iterator(last_); }

 private:
  uint32_t first_, last_;
};

// A line's exchanges as logged, when short: the one received (without its
// signal report) and the one its station sent. Pairing compares a line's
// received exchange with its partner's sent one many times across the
// contest; kept here, beside the other lines', they are read without
// reaching into the logs' texts.
struct LineExchanges {
  ShortText received, sent;
};

// The lines of one band and mode between two checked logs: `first`'s lines
// to `second`'s station and `second`'s lines to `first`'s, each in its
// log's order (by time).
struct MirrorGroup {
  uint32_t first_log, second_log;
  LineSpan first, second;
};

class ContestIndex {
 public:
  // Interns the calls and fills results.lines from the checked logs;
  // `raw_points[log]` holds the engine's points of each of its contacts
  // (-1 for a dupe). Builds the per-log indexes and the mirror groups.
  ContestIndex(ContestResults& results, const std::vector<std::vector<int32_t>>& raw_points);

  // Takes the logs' clock offsets for Corrected: call it once they are set.
  void ApplyClockOffsets();
  // Builds the index by worked call, on corrected times, of the lines still
  // open: neither dupes nor paired. Call it once the lines are paired.
  void IndexOpenLinesByWorkedCall();

  // The id of a normalised call, kNoLine when no log holds it.
  uint32_t IdOfCall(std::string_view call) const;
  // The checked log of the station with call `id`, kNoLine when none.
  uint32_t LogOfStation(uint32_t id) const { return log_of_station_[id]; }
  // The call id of a checked log's station (kNoLine for another log).
  uint32_t StationOfLog(uint32_t log) const { return station_of_log_[log]; }

  // The mirror groups are kept in one bucket per log (the group of logs A
  // and B in the bucket of the first of the two in file order; a log not
  // checked has an empty bucket).
  size_t mirror_buckets() const { return mirror_start_.size() - 1; }
  // Calls visit(group) for every mirror group of `bucket` in which both
  // sides have lines. Each line is in one group of one bucket: buckets may
  // be visited on several threads at once, each writing only its groups'
  // lines. `ahead(line, step)`, when given, is called twice for each line
  // before the group holding it is visited, to ask the memory for what the
  // visit will read of it: with step 0 a few groups ahead (its ContestLine
  // already asked for), with step 1 closer (what step 0 asked for come).
  template <typename Visit, typename Ahead = void (*)(uint32_t, int)>
  void ForEachMirrorGroup(
      size_t bucket, Visit visit, Ahead ahead = [](uint32_t, int) {}) const;

  // A log's lines to `call` on `band` and `mode`, by time. Only calls of
  // stations with a checked log are indexed: for any other, nothing.
  LineSpan LinesTo(uint32_t log, uint32_t call, uint8_t band, uint8_t mode) const;
  // A log's lines to `call` by band, mode and time, with the same limit.
  LineSpan LinesTo(uint32_t log, uint32_t call) const;
  // A checked log's lines with a corrected time from `first` to `last`
  // minutes (inclusive), by time.
  LineRange LinesBetween(uint32_t log, int64_t first, int64_t last) const;
  // True when a checked log other than `log` has a line to `call`.
  bool LoggedByOtherThan(uint32_t call, uint32_t log) const;
  // Every checked log's open lines to `call` on `band` and `mode` with a
  // corrected time from `first` to `last` minutes (inclusive), by
  // corrected time, station and contact.
  LineSpan LinesLoggingNear(uint32_t call, uint8_t band, uint8_t mode, int64_t first,
                            int64_t last) const;

  // The line's exchanges, when short enough to be held.
  const LineExchanges& ExchangesOf(uint32_t line) const { return exchanges_[line]; }

  // The line's time less its log's clock offset (none before
  // ApplyClockOffsets).
  int64_t Corrected(uint32_t line) const {
    const ContestLine& l = results_.lines[line];
    return l.minute - log_offset_[l.log];
  }

 private:
  void BuildMirrorGroups();
  // Where a log's lines to a station's log sit in the mirror buckets: the
  // bucket, and the key of the log's side without band and mode.
  struct SideKey {
    uint32_t bucket;
    uint64_t key;
  };
  SideKey SideOf(uint32_t log, uint32_t other_log) const;
  // The lines of `bucket` whose keys are in [low, high).
  LineSpan KeyRange(uint32_t bucket, uint64_t low, uint64_t high) const;

  ContestResults& results_;
  std::vector<uint32_t> log_of_station_;  // by call id
  std::vector<uint32_t> station_of_log_;  // by log, beside each other
  std::vector<int64_t> log_offset_;       // by log: its clock offset
  std::vector<LineExchanges> exchanges_;  // by line
  // Lines to the station of a checked log, bucketed by the first of the two
  // logs in file order, and in each bucket sorted by MirrorKey, then by line
  // (time within a log); each line's key beside it.
  std::vector<uint32_t> mirror_start_;  // by log: where its bucket starts
  std::vector<uint32_t> mirror_lines_;
  std::vector<uint64_t> mirror_keys_;
  // By call id: the first and the last checked log with a line to it.
  std::vector<std::pair<uint32_t, uint32_t>> logs_logging_;
  std::vector<uint32_t> worked_start_;  // by call id: where its lines start in by_worked_
  std::vector<uint32_t> by_worked_;
  // WorkedKey of each line of by_worked_, beside it: a search in a call's
  // run reads these, not the lines.
  std::vector<uint64_t> worked_keys_;
};

// The key of a line in its mirror bucket: the second log of the two, the
// line's side (0 for the bucket's own log), its band and mode.
constexpr uint64_t MirrorKey(uint32_t second_log, uint32_t side, uint8_t band, uint8_t mode) {
  return (uint64_t{second_log} << 17) | (uint64_t{side} << 16) | (uint64_t{band} << 8) | mode;
}

template <typename Visit, typename Ahead>
void ContestIndex::ForEachMirrorGroup(size_t bucket, Visit visit, Ahead ahead) const {
  const uint32_t* lines = mirror_lines_.data();
  const uint64_t* keys = mirror_keys_.data();
  const size_t end = mirror_start_[bucket + 1];
  size_t at = mirror_start_[bucket];
  // The lines of the second logs are far apart in memory: each is asked
  // for a few groups before it is visited, then handed to `ahead` twice,
  // so that the reads overlap.
  constexpr size_t kStep = 8;
  size_t asked = at;
  size_t handed[2] = {at, at};
  while (at < end) {
    for (const size_t until = std::min(end, at + 3 * kStep); asked < until; ++asked) {
      __builtin_prefetch(&results_.lines[lines[asked]]);
    }
    for (int step = 0; step < 2; ++step) {
      const size_t until = std::min(end, at + (2 - step) * kStep);
      for (; handed[step] < until; ++handed[step]) ahead(lines[handed[step]], step);
    }
    // One second log's lines: its first side's, then its second side's.
    const uint64_t second = keys[at] >> 17;
    size_t side_end = at;
    while (side_end < end && keys[side_end] >> 16 == second << 1) ++side_end;
    size_t other = side_end;
    size_t other_end = side_end;
    while (other_end < end && keys[other_end] >> 17 == second) ++other_end;
    if (second != bucket) {
      // Both sides are by band and mode: walk them together.
      while (at < side_end && other < other_end) {
        const uint64_t ours = keys[at] & 0xFFFF;
        const uint64_t theirs = keys[other] & 0xFFFF;
        size_t ours_end = at;
        while (ours_end < side_end && (keys[ours_end] & 0xFFFF) == ours) ++ours_end;
        size_t theirs_end = other;
        while (theirs_end < other_end && (keys[theirs_end] & 0xFFFF) == theirs) ++theirs_end;
        if (ours == theirs) {
          visit(MirrorGroup{static_cast<uint32_t>(bucket), static_cast<uint32_t>(second),
                            LineSpan(lines + at, lines + ours_end),
                            LineSpan(lines + other, lines + theirs_end)});
        }
        if (ours <= theirs) at = ours_end;
        if (theirs <= ours) other = theirs_end;
      }
    }
    at = other_end;
  }
}

// Minutes since 0000-03-01 of a YYYYMMDDhhmmss time key (seconds dropped).
int64_t MinutesOfTimeKey(int64_t time_key);

}  // namespace qxqy::crosscheck
