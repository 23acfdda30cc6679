// The simulator's transcript: whole lines on standard output, written and
// flushed one at a time under a lock, so that the error-box watcher and the
// watchdog (other threads) never split a line of the session thread, and a
// line is on disk before the process may be ended.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace qxqy::hostsim {

class Output {
 public:
  Output() = default;
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  // Writes "<prefix>: <text>" and a line end.
  void Line(std::string_view prefix, std::string_view text);

 private:
  std::mutex mutex_;
};

}  // namespace qxqy::hostsim
