// The hours under a chart's bars, across the ends of days, months and years.
#include "crosscheck/site/hour_labels.h"

#include <gtest/gtest.h>

namespace qxqy::crosscheck::site {
namespace {

TEST(HourLabels, CountOnAcrossDaysMonthsAndYears) {
  struct Case {
    std::string first;
    size_t count;
    std::string last_full;
    std::vector<std::string> days;  // the day labels, in order
  };
  const Case cases[] = {
      {"2026-11-28 00Z", 30, "2026-11-29 05Z", {"28 Nov", "29 Nov"}},
      {"2026-11-28 12Z", 1, "2026-11-28 12Z", {"28 Nov"}},
      {"2026-12-31 22Z", 4, "2027-01-01 01Z", {"31 Dec", "1 Jan"}},
      {"2026-11-30 23Z", 2, "2026-12-01 00Z", {"30 Nov", "1 Dec"}},
      {"2028-02-28 23Z", 2, "2028-02-29 00Z", {"28 Feb", "29 Feb"}},
      {"2027-02-28 23Z", 2, "2027-03-01 00Z", {"28 Feb", "1 Mar"}},
      {"2100-02-28 23Z", 2, "2100-03-01 00Z", {"28 Feb", "1 Mar"}},
  };
  for (const Case& c : cases) {
    const std::vector<HourLabel> labels = HourLabels(c.first, c.count);
    ASSERT_EQ(labels.size(), c.count) << c.first;
    EXPECT_EQ(labels.front().full, c.first);
    EXPECT_EQ(labels.back().full, c.last_full) << c.first;
    std::vector<std::string> days;
    for (const HourLabel& label : labels) {
      if (!label.day.empty()) days.push_back(label.day);
      EXPECT_EQ(label.tick, std::stoi(label.hour) % 6 == 0) << label.full;
    }
    EXPECT_EQ(days, c.days) << c.first;
  }
}

TEST(HourLabels, AFirstHourNotUnderstoodNamesHoursByDistance) {
  for (const std::string first :
       {"", "28 Nov 00Z", "2026-11-28 24Z", "2026-02-29 00Z", "2026-13-01 00Z", "2026-11-28 00"}) {
    const std::vector<HourLabel> labels = HourLabels(first, 8);
    ASSERT_EQ(labels.size(), 8u);
    EXPECT_EQ(labels[3].full, first + " +3 h");
    EXPECT_EQ(labels[3].hour, "+3 h");
    EXPECT_TRUE(labels[6].tick);
    EXPECT_FALSE(labels[5].tick);
  }
}

}  // namespace
}  // namespace qxqy::crosscheck::site
