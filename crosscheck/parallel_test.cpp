#include "crosscheck/parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

namespace qxqy::crosscheck {
namespace {

// Every job runs once, whatever the count against the threads, and steps
// after steps reuse the kept threads.
TEST(ParallelForTest, RunsEveryJobOnce) {
  for (const unsigned threads : {1U, 2U, 4U}) {
    for (const size_t count : {size_t{0}, size_t{1}, size_t{2}, size_t{1000}}) {
      std::vector<std::atomic<int>> runs(count);
      size_t last_done = 0;
      ParallelFor(
          count, threads, [&](size_t i) { ++runs[i]; }, [&](size_t done) { last_done = done; });
      for (size_t i = 0; i < count; ++i) EXPECT_EQ(runs[i], 1) << i << " of " << count;
      EXPECT_EQ(last_done, count) << threads << " threads";
    }
  }
}

// A parallel step inside a job (as a job that sizes an array on several
// threads) runs whole on that job's thread instead of waiting for threads
// that are busy with the outer step.
TEST(ParallelForTest, AStepInsideAJobRunsWhole) {
  constexpr size_t kOuter = 8;
  constexpr size_t kInner = 100;
  std::vector<std::atomic<int>> runs(kOuter * kInner);
  ParallelFor(kOuter, 2, [&](size_t outer) {
    ParallelFor(kInner, 2, [&](size_t inner) { ++runs[outer * kInner + inner]; });
  });
  for (size_t i = 0; i < runs.size(); ++i) EXPECT_EQ(runs[i], 1) << i;
}

// The first failure by index comes out once every job has run; the
// threads serve the next step as before.
TEST(ParallelForTest, ThrowsTheFirstFailureByIndexAfterAllJobs) {
  std::atomic<int> ran{0};
  try {
    ParallelFor(100, 2, [&](size_t i) {
      ++ran;
      if (i == 40 || i == 70) throw std::runtime_error("job " + std::to_string(i));
    });
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "job 40");
  }
  EXPECT_EQ(ran, 100);
  std::atomic<int> after{0};
  ParallelFor(10, 2, [&](size_t) { ++after; });
  EXPECT_EQ(after, 10);
}

}  // namespace
}  // namespace qxqy::crosscheck
