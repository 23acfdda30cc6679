// Bounds the session's run time. When the deadline passes, the watchdog
// prints "timeout: ..." and ends the process at once with kExitTimeout,
// wherever the session thread is (a plug-in stuck in a loop included).
// Another thread serves the deadline; Rearm may be called from the session
// thread at any time.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "tools/hostsim/output.h"

namespace qxqy::hostsim {

class Watchdog {
 public:
  // Starts with a deadline `seconds` from now; `output` must outlive it.
  Watchdog(Output& output, int seconds);
  // Stops the watchdog (the process goes on).
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  // Moves the deadline to `seconds` from now.
  void Rearm(int seconds);

 private:
  void Wait();

  Output& output_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::chrono::steady_clock::time_point deadline_;
  int seconds_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace qxqy::hostsim
