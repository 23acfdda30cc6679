// The contest's contacts interned and indexed for matching: every call an
// id (ids in the calls' byte order, so nothing depends on the order the
// files were read in), every contact of a checked log one packed line, and
// sorted line indexes to find, without scanning, a log's lines to a call on
// a band and mode, a log's lines on a band and mode in a time window, and
// every log's lines to a call.
#pragma once

#include <cstdint>
#include <string_view>
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

class ContestIndex {
 public:
  // Interns the calls and fills results.lines from the checked logs;
  // `raw_points[log]` holds the engine's points of each of its contacts
  // (-1 for a dupe). Builds the per-log indexes.
  ContestIndex(ContestResults& results, const std::vector<std::vector<int32_t>>& raw_points);

  // Builds the index by worked call, on corrected times: call it once the
  // clock offsets are set.
  void IndexByWorkedCall();

  // The id of a normalised call, kNoLine when no log holds it.
  uint32_t IdOfCall(std::string_view call) const;
  // The checked log of the station with call `id`, kNoLine when none.
  uint32_t LogOfStation(uint32_t id) const { return log_of_station_[id]; }

  // A log's lines to `call` on `band` and `mode`, by time.
  LineSpan LinesTo(uint32_t log, uint32_t call, uint8_t band, uint8_t mode) const;
  // A log's lines by call, band, mode and time.
  LineSpan LinesByCall(uint32_t log) const { return LogRange(by_call_, log); }
  // A log's lines to `call` on every band and mode.
  LineSpan LinesTo(uint32_t log, uint32_t call) const;
  // A log's lines on `band` and `mode`, by time.
  LineSpan LinesOn(uint32_t log, uint8_t band, uint8_t mode) const;
  // Every checked log's lines to `call`, by band, mode and corrected time.
  LineSpan LinesLogging(uint32_t call) const;

  // The line's time less its log's clock offset.
  int64_t Corrected(uint32_t line) const {
    const ContestLine& l = results_.lines[line];
    return l.minute - results_.logs[l.log].clock_offset;
  }

 private:
  LineSpan LogRange(const std::vector<uint32_t>& index, uint32_t log) const;
  // The lines of by_call_ in `log`'s run whose keys are in [low, high).
  LineSpan KeyRange(uint32_t log, uint64_t low, uint64_t high) const;
  static uint64_t CallKey(uint32_t call, uint8_t band, uint8_t mode) {
    return (uint64_t{call} << 16) | (uint64_t{band} << 8) | mode;
  }

  ContestResults& results_;
  std::vector<uint32_t> log_of_station_;  // by call id
  std::vector<uint32_t> by_call_;         // per log: by (call, band, mode, time)
  // CallKey of each line of by_call_, beside it: a log's lines to a call
  // are found in its own small run of keys, without reading the lines.
  std::vector<uint64_t> call_keys_;
  std::vector<uint32_t> by_band_;       // per log: by (band, mode, time)
  std::vector<uint32_t> worked_start_;  // by call id: where its lines start in by_worked_
  std::vector<uint32_t> by_worked_;
};

// Minutes since 0000-03-01 of a YYYYMMDDhhmmss time key (seconds dropped).
int64_t MinutesOfTimeKey(int64_t time_key);

}  // namespace qxqy::crosscheck
