#include "tools/crosscheck/phase_timings.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qxqy::crosscheck_tool {
namespace {

TEST(PhaseTimings, OnePhaseEachTimeThePhaseChanges) {
  PhaseTimings timings;
  for (const char* phase : {"reading", "reading", "scoring", "matching", "matching", "writing"}) {
    timings.Enter(phase);
  }
  timings.Stop();
  timings.Stop();
  std::vector<std::string> names;
  for (const auto& phase : timings.phases()) {
    names.push_back(phase.name);
    EXPECT_GE(phase.wall, 0) << phase.name;
    EXPECT_GE(phase.cpu, 0) << phase.name;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"reading", "scoring", "matching", "writing"}));
}

TEST(PhaseTimings, WrittenOneLineEachAndTheTotal) {
  std::ostringstream out;
  WriteTimings(out, {{"reading", 1.25, 2.5}, {"checking scores", 0.5, 0.25}});
  EXPECT_EQ(out.str(),
            "timing: reading 1.250 s wall, 2.500 s CPU\n"
            "timing: checking scores 0.500 s wall, 0.250 s CPU\n"
            "timing: total 1.750 s wall, 2.750 s CPU\n");
}

}  // namespace
}  // namespace qxqy::crosscheck_tool
