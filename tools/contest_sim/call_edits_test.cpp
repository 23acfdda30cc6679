#include "tools/contest_sim/call_edits.h"

#include <gtest/gtest.h>

#include <string>

namespace qxqy::contest_sim {
namespace {

TEST(CallEditsTest, OneEditApartKnowsTheFourEditsAndNothingElse) {
  const struct {
    const char* a;
    const char* b;
    bool apart;
  } cases[] = {
      {"QX1ABC", "QX1ABD", true},   // change
      {"QX1ABC", "QX1ABCD", true},  // insertion at the end
      {"QX1ABC", "QXX1ABC", true},  // insertion inside
      {"QX1ABC", "X1ABC", true},    // deletion at the front
      {"QX1ABC", "QX1BAC", true},   // swap of neighbours
      {"QX1ABC", "QX1ABC", false},  // equal
      {"QX1ABC", "QX1BCA", false},  // two edits
      {"QX1ABC", "QX1CBA", false},  // swap of non-neighbours
      {"QX1ABC", "QX1A", false},    // two deletions
      {"QX1ABC", "QY1ABD", false},  // two changes
      {"A", "", true},
      {"", "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OneEditApart(c.a, c.b), c.apart) << c.a << " / " << c.b;
    EXPECT_EQ(OneEditApart(c.b, c.a), c.apart) << c.b << " / " << c.a;
  }
}

TEST(CallEditsTest, AVariantIsAlwaysOneEditAwayAndDifferent) {
  SimRandom random(3);
  for (const char* call : {"QX1ABC", "K1A", "QY2CD", "9A1AA", "OO", "DL0ABCD"}) {
    for (int i = 0; i < 2000; ++i) {
      const std::string variant = OneEditVariant(call, random);
      ASSERT_TRUE(OneEditApart(call, variant)) << call << " -> " << variant;
      ASSERT_GE(variant.size(), 2u) << call << " -> " << variant;
      for (char c : variant) ASSERT_TRUE(std::isupper(c) || std::isdigit(c)) << variant;
    }
  }
}

TEST(CallEditsTest, NeighbourhoodRefusesWhatIsWithinOneEditOfAStation) {
  CallNeighbourhood near;
  near.Add("QX1ABC", 0);
  near.Add("DL5XY", 1);
  const struct {
    const char* candidate;
    uint32_t allowed;
    bool far;
  } cases[] = {
      {"QX1ABD", CallNeighbourhood::kNobody, false},  // change
      {"QX1ABD", 0, true},                            // ... of the station allowed
      {"QX1ABD", 1, false},                           // ... of another
      {"QX1AB", CallNeighbourhood::kNobody, false},   // deletion
      {"QX1AB", 0, true},
      {"QX1ABCD", CallNeighbourhood::kNobody, false},  // insertion
      {"QX1BAC", CallNeighbourhood::kNobody, false},   // swap
      {"QX1ABC", CallNeighbourhood::kNobody, false},   // the call itself
      {"DL5XZ", 0, false},
      {"QX1XYZ", CallNeighbourhood::kNobody, true},  // three changes
      {"QY7ABC", CallNeighbourhood::kNobody, true},  // two changes
      {"DL5", CallNeighbourhood::kNobody, true},     // two deletions
  };
  for (const auto& c : cases) {
    EXPECT_EQ(near.FarFromAllBut(c.candidate, c.allowed), c.far)
        << c.candidate << " allowed " << c.allowed;
  }
}

}  // namespace
}  // namespace qxqy::contest_sim
