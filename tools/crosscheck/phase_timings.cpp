#include "tools/crosscheck/phase_timings.h"

#include <sys/resource.h>

#include <iomanip>
#include <sstream>

namespace qxqy::crosscheck_tool {
namespace {

// User and system time of the process so far, in seconds.
double ProcessCpuSeconds() {
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::string Seconds(double value) {
  std::ostringstream text;
  text << std::fixed << std::setprecision(3) << value;
  return text.str();
}

}  // namespace

PhaseTimings::PhaseTimings() : wall_start_(Clock::now()), cpu_start_(ProcessCpuSeconds()) {}

void PhaseTimings::Enter(std::string_view phase) {
  if (running_ && phases_.back().name == phase) return;
  if (running_) {
    EndCurrent();
    wall_start_ = Clock::now();
    cpu_start_ = ProcessCpuSeconds();
  }
  phases_.push_back({std::string(phase), 0, 0});
  running_ = true;
}

void PhaseTimings::Stop() {
  if (!running_) return;
  EndCurrent();
  running_ = false;
}

void PhaseTimings::EndCurrent() {
  const std::chrono::duration<double> wall = Clock::now() - wall_start_;
  phases_.back().wall = wall.count();
  phases_.back().cpu = ProcessCpuSeconds() - cpu_start_;
}

void WriteTimings(std::ostream& out, const std::vector<PhaseTimings::Phase>& phases) {
  PhaseTimings::Phase total{"total", 0, 0};
  for (const PhaseTimings::Phase& phase : phases) {
    total.wall += phase.wall;
    total.cpu += phase.cpu;
  }
  const auto line = [&](const PhaseTimings::Phase& phase) {
    out << "timing: " << phase.name << ' ' << Seconds(phase.wall) << " s wall, "
        << Seconds(phase.cpu) << " s CPU\n";
  };
  for (const PhaseTimings::Phase& phase : phases) line(phase);
  line(total);
}

}  // namespace qxqy::crosscheck_tool
