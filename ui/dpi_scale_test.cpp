#include "ui/dpi_scale.h"

#include <gtest/gtest.h>

#include <climits>

namespace qxqy {
namespace {

TEST(MulDivRoundedTest, RoundsHalvesAwayFromZeroAsThePlatformDoes) {
  const struct {
    int number, numerator, denominator, expected;
  } cases[] = {
      {328, 120, 96, 410},
      {193, 120, 96, 241},
      {193, 144, 96, 290},  // 289.5: half up
      {17, 144, 96, 26},    // 25.5
      {13, 120, 96, 16},    // 16.25
      {1, 120, 96, 1},      // 1.25
      {1, 144, 96, 2},      // 1.5
      {3, 120, 96, 4},      // 3.75
      {0, 144, 96, 0},
      {-1, 144, 96, -2},  // -1.5: half away from zero
      {-3, 120, 96, -4},  // -3.75
      {-5, 120, 96, -6},  // -6.25
      {3, -1, 2, -2},     // signs of each argument
      {-3, -1, 2, 2},
      {3, 1, -2, -2},
      {7, 1, 0, -1},  // no result: division by zero, or too large for an int
      {INT_MAX, 2, 1, -1},
      {INT_MIN, 1, -1, -1},
      {INT_MAX, 96, 96, INT_MAX},  // the product itself may exceed an int
      {100000, 100000, 100000, 100000},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MulDivRounded(c.number, c.numerator, c.denominator), c.expected)
        << c.number << " * " << c.numerator << " / " << c.denominator;
  }
}

TEST(DpiScaleTest, ScalesDesignedPixelsAndLeavesTheDesignDensityAlone) {
  const DpiScale design;
  EXPECT_EQ(design.PixelsPerInch(), 96);
  for (int pixels : {-1, 0, 1, 17, 328, 1009}) EXPECT_EQ(design(pixels), pixels);

  const DpiScale large(144);
  EXPECT_EQ(large(64), 96);
  EXPECT_EQ(large.Bounds(121, 18, 102, 25), RectFromBounds(182, 27, 153, 38))
      << "each of left, top, width and height on its own";
}

TEST(DpiScaleTest, AScreenThatReportsNoDensityCountsAsTheDesign) {
  for (int reported : {0, -120}) {
    EXPECT_EQ(DpiScale(reported).PixelsPerInch(), kDesignPixelsPerInch) << reported;
    EXPECT_EQ(DpiScale(reported)(328), 328) << reported;
  }
}

}  // namespace
}  // namespace qxqy
