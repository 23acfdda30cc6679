// The checker's findings: each a line of the log and a reason, written
// "FILE:LINE: reason" (or "FILE: reason" for the log as a whole).
//
// At most kMaxKept findings are kept; the rest are only counted, so a
// hostile file of millions of broken lines cannot fill memory with messages.
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

  void Add(uint32_t line, std::string reason);
  // Puts the findings in file order (equal lines keep the order of adding).
  void SortByLine();

  const std::vector<Finding>& findings() const { return findings_; }
  // Findings made but not kept.
  size_t dropped() const { return dropped_; }
  size_t total() const { return findings_.size() + dropped_; }

 private:
  std::vector<Finding> findings_;
  size_t dropped_ = 0;
};

// "FILE:LINE: reason", or "FILE: reason" for line 0.
std::string FormatFinding(const std::string& file, const Finding& finding);

}  // namespace qxqy::logfile
