#include "logfile/report.h"

#include <algorithm>

#include "logfile/printable_text.h"

namespace qxqy::logfile {

void Report::Add(uint32_t line, std::string reason) {
  // Findings come in time order from the checker and in file order from the
  // readers: up to twice the cap is held, then the first in file order kept.
  if (findings_.size() >= 2 * std::max<size_t>(max_kept_, 1)) KeepFirst();
  findings_.push_back({line, std::move(reason)});
}

void Report::KeepFirst() {
  std::stable_sort(findings_.begin(), findings_.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  if (findings_.size() > max_kept_) {
    dropped_ += findings_.size() - max_kept_;
    findings_.erase(findings_.begin() + static_cast<std::ptrdiff_t>(max_kept_), findings_.end());
  }
}

void Report::SortByLine() { KeepFirst(); }

std::string FormatFinding(const std::string& file, const Finding& finding) {
  const std::string reason = EscapeUnprintable(finding.reason);
  if (finding.line == 0) return EscapeUnprintable(file) + ": " + reason;
  return EscapeUnprintable(file) + ":" + std::to_string(finding.line) + ": " + reason;
}

}  // namespace qxqy::logfile
