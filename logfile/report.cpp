#include "logfile/report.h"

#include <algorithm>

namespace qxqy::logfile {

void Report::Add(uint32_t line, std::string reason) {
  if (findings_.size() >= kMaxKept) {
    ++dropped_;
    return;
  }
  findings_.push_back({line, std::move(reason)});
}

void Report::SortByLine() {
  std::stable_sort(findings_.begin(), findings_.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

std::string FormatFinding(const std::string& file, const Finding& finding) {
  if (finding.line == 0) return file + ": " + finding.reason;
  return file + ":" + std::to_string(finding.line) + ": " + finding.reason;
}

}  // namespace qxqy::logfile
