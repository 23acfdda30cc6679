// The progress of a long check on standard error: which phase, how many logs
// of how many. On a terminal one line redrawn in place with a bar; else one
// line as each phase ends, so that a log file of the run stays short.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace qxqy::crosscheck_tool {

class ProgressLine {
 public:
  ProgressLine(std::ostream& out, bool terminal) : out_(out), terminal_(terminal) {}
  ~ProgressLine() { Finish(); }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // `done` of `total` of `phase` ("reading"...) are done.
  void Update(std::string_view phase, size_t done, size_t total);
  // Ends a line drawn in place.
  void Finish();

 private:
  std::ostream& out_;
  bool terminal_;
  std::string phase_;
  size_t shown_ = static_cast<size_t>(-1);  // the last permille drawn
  bool drawn_ = false;
  bool ended_ = false;  // the phase's last line was written
};

// "reading [######              ] 300/1000" for a bar `width` wide.
std::string ProgressText(std::string_view phase, size_t done, size_t total, size_t width);

}  // namespace qxqy::crosscheck_tool
