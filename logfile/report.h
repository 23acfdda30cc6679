// The checker's findings: each a line of the log and a reason, written
// "FILE:LINE: reason" (or "FILE: reason" for the log as a whole).
//
// At most a cap of findings are kept (kMaxKept unless told): the first in
// file order, whatever order they were made in; the rest are only counted,
// so a hostile file of millions of broken lines cannot fill memory with
// messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qxqy::logfile {

struct Finding {
  uint32_t line;  // 0: the log as a whole
  std::string reason;
};

class Report {
 public:
  static constexpr size_t kMaxKept = 100000;

  explicit Report(size_t max_kept = kMaxKept) : max_kept_(max_kept) {}

  void Add(uint32_t line, std::string reason);
  // Counts `count` findings whose reasons are not kept: for a maker that
  // knows the report keeps none (a cap of 0) and saves writing them.
  void CountUnkept(size_t count) { dropped_ += count; }
  bool keeps_findings() const { return max_kept_ > 0; }
  // Puts the findings in file order (equal lines keep the order of adding)
  // and keeps the first of them up to the cap. Call it before reading
  // findings() or dropped().
  void SortByLine();

  const std::vector<Finding>& findings() const { return findings_; }
  // Findings made but not kept.
  size_t dropped() const { return dropped_; }
  size_t total() const { return findings_.size() + dropped_; }

 private:
  // Sorts and cuts the findings to the cap.
  void KeepFirst();

  std::vector<Finding> findings_;
  size_t max_kept_;
  size_t dropped_ = 0;
};

// "FILE:LINE: reason", or "FILE: reason" for line 0, with the bytes of
// both that are not printable shown escaped (EscapeUnprintable).
std::string FormatFinding(const std::string& file, const Finding& finding);

}  // namespace qxqy::logfile
