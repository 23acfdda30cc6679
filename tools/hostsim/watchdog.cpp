#include "tools/hostsim/watchdog.h"

#include <windows.h>

#include "tools/hostsim/crash_report.h"
#include "tools/hostsim/exit_codes.h"

namespace qxqy::hostsim {

Watchdog::Watchdog(Output& output, int seconds)
    : output_(output),
      deadline_(std::chrono::steady_clock::now() + std::chrono::seconds(seconds)),
      seconds_(seconds),
      thread_([this] { Wait(); }) {}

Watchdog::~Watchdog() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void Watchdog::Rearm(int seconds) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    seconds_ = seconds;
  }
  changed_.notify_all();
}

void Watchdog::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stopping_) {
    if (changed_.wait_until(lock, deadline_) == std::cv_status::timeout &&
        std::chrono::steady_clock::now() >= deadline_ && !stopping_) {
      output_.Line("timeout", "the session did not finish within " + std::to_string(seconds_) +
                                  " s (at " + CurrentAction() + ")");
      TerminateProcess(GetCurrentProcess(), kExitTimeout);
    }
  }
}

}  // namespace qxqy::hostsim
