#include "ui/placement_text.h"

#include <gtest/gtest.h>

namespace qxqy {
namespace {

TEST(PlacementTextTest, ParsesOnlyWellFormedRectangles) {
  struct Case {
    const char* text;
    bool valid;
    Rect rect;
  };
  const Case cases[] = {
      {"1009,201,1343,427", true, {1009, 201, 1343, 427}},
      {"-8,-8,100,100", true, {-8, -8, 100, 100}},
      {" 1, 2 ,3,4 ", true, {1, 2, 3, 4}},
      {"1,2,3", false, {}},
      {"1,2,3,4,5", false, {}},
      {"1,2,3,x", false, {}},
      {"1,,3,4", false, {}},
      {"", false, {}},
      {"1.5,2,3,4", false, {}},
      {"99999999999,2,3,4", false, {}},
  };
  for (const Case& c : cases) {
    const std::optional<Rect> parsed = ParseRect(c.text);
    EXPECT_EQ(parsed.has_value(), c.valid) << '"' << c.text << '"';
    if (parsed && c.valid) {
      EXPECT_EQ(*parsed, c.rect) << '"' << c.text << '"';
    }
  }
}

TEST(PlacementTextTest, FormatsAsFourCommaSeparatedNumbers) {
  EXPECT_EQ(FormatRect(Rect{-4, 5, 330, 220}), "-4,5,330,220");
  EXPECT_EQ(ParseRect(FormatRect(Rect{1, 2, 3, 4})), (Rect{1, 2, 3, 4}));
}

TEST(PlacementTextTest, IntegersAreWholeDecimalNumbers) {
  EXPECT_EQ(ParseInt("96"), 96);
  EXPECT_EQ(ParseInt("-1"), -1);
  EXPECT_FALSE(ParseInt("96dpi"));
  EXPECT_FALSE(ParseInt(""));
  EXPECT_FALSE(ParseInt("0x60"));
}

}  // namespace
}  // namespace qxqy
