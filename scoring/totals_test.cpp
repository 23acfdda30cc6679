#include "scoring/totals.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace qxqy {
namespace {

TEST(TotalsTest, AnEmptyListScoresZero) {
  const ScoreTotals totals = SumStatistics(StatList());
  EXPECT_EQ(totals.qsos, 0);
  EXPECT_EQ(totals.points, 0);
  EXPECT_EQ(totals.districts + totals.prefixes, 0);
  EXPECT_EQ(totals.Score(), 0);
}

TEST(TotalsTest, SumsEveryBandAndMultipliesPointsByBothMultipliers) {
  StatList list;
  list.FindOrAdd("14") = TStatistic("14", 10, 28, 3, 2);
  list.FindOrAdd("weird band") = TStatistic("weird band", 1, 3, 1, 0);
  const ScoreTotals totals = SumStatistics(list);
  EXPECT_EQ(totals.qsos, 11);
  EXPECT_EQ(totals.points, 31);
  EXPECT_EQ(totals.districts, 4);
  EXPECT_EQ(totals.prefixes, 2);
  EXPECT_EQ(totals.Score(), 31 * 6);
}

TEST(TotalsTest, LargeCountersNeitherWrapTheSumsNorTheScore) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  StatList list;
  for (const char* band : {"7", "14", "21"}) {
    list.FindOrAdd(band) = TStatistic(band, kMax, kMax, kMax / 16, kMax / 16);
  }
  const ScoreTotals totals = SumStatistics(list);
  EXPECT_EQ(totals.qsos, 3 * int64_t{kMax});
  EXPECT_EQ(totals.points, 3 * int64_t{kMax});
  EXPECT_EQ(totals.districts + totals.prefixes, 6 * int64_t{kMax / 16});
  EXPECT_EQ(totals.Score(), 3 * int64_t{kMax} * (6 * int64_t{kMax / 16}));
}

}  // namespace
}  // namespace qxqy
