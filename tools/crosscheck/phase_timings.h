// How long each phase of a run took, for --timings: wall time and the CPU
// time of the whole process (every thread), so that a phase's CPU time
// above its wall time shows the cores it kept busy.
#pragma once

#include <chrono>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace qxqy::crosscheck_tool {

class PhaseTimings {
 public:
  // Starts the first phase's clock: everything before the first Enter is
  // counted in the first phase entered.
  PhaseTimings();

  // `phase` starts now and the one before ends; the current phase again
  // changes nothing.
  void Enter(std::string_view phase);
  // Ends the current phase.
  void Stop();

  struct Phase {
    std::string name;
    double wall = 0;  // seconds
    double cpu = 0;   // seconds, user and system, all threads
  };
  const std::vector<Phase>& phases() const { return phases_; }

 private:
  using Clock = std::chrono::steady_clock;
  void EndCurrent();

  std::vector<Phase> phases_;
  bool running_ = false;
  Clock::time_point wall_start_;
  double cpu_start_ = 0;
};

// One line per phase and a total: "timing: reading 0.912 s wall, 1.790 s
// CPU", "timing: total ...".
void WriteTimings(std::ostream& out, const std::vector<PhaseTimings::Phase>& phases);

}  // namespace qxqy::crosscheck_tool
