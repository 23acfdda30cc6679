#include "crosscheck/contest_check.h"

#include <gtest/gtest.h>

namespace qxqy::crosscheck {
namespace {

TEST(CheckContest, EmptyContest) {
  const ContestResults results = CheckContest({}, ContestOptions{});
  EXPECT_TRUE(results.logs.empty());
}

}  // namespace
}  // namespace qxqy::crosscheck
