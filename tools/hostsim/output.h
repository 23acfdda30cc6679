// The simulator's transcript: whole lines on standard output, written and
// flushed one at a time under a lock, so that the error-box watcher and the
// watchdog (other threads) never split a line of the session thread, and a
// line is on disk before the process may be ended.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

namespace qxqy::hostsim {

class Output {
 public:
  // Writes to `stream` (standard output unless told), which must stay open.
  explicit Output(std::FILE* stream = stdout) : stream_(stream) {}
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  // Writes "<prefix>: <text>" and a line end.
  void Line(std::string_view prefix, std::string_view text);

 private:
  std::FILE* stream_;
  std::mutex mutex_;
};

}  // namespace qxqy::hostsim
