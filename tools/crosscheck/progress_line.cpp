#include "tools/crosscheck/progress_line.h"

namespace qxqy::crosscheck_tool {

std::string ProgressText(std::string_view phase, size_t done, size_t total, size_t width) {
  const size_t filled = total == 0 ? width : std::min(width, done * width / total);
  std::string text(phase);
  text.append(" [").append(filled, '#').append(width - filled, ' ').append("] ");
  text.append(std::to_string(done)).append("/").append(std::to_string(total));
  return text;
}

void ProgressLine::Update(std::string_view phase, size_t done, size_t total) {
  const bool new_phase = phase != phase_;
  if (new_phase) {
    phase_ = std::string(phase);
    ended_ = false;
  }
  if (!terminal_) {
    if (done == total && !ended_) {
      out_ << "qxqy-crosscheck: " << phase << ' ' << done << '/' << total << '\n';
    }
    ended_ = ended_ || done == total;
    return;
  }
  // Redrawn only when the bar or the figure's first digits move.
  const size_t permille = total == 0 ? 1000 : done * 1000 / total;
  if (!new_phase && permille == shown_ && done != total) return;
  shown_ = permille;
  constexpr size_t kBarWidth = 30;
  out_ << "\r\x1b[K" << ProgressText(phase, done, total, kBarWidth) << std::flush;
  drawn_ = true;
}

void ProgressLine::Finish() {
  if (!drawn_) return;
  out_ << "\r\x1b[K" << std::flush;
  drawn_ = false;
}

}  // namespace qxqy::crosscheck_tool
