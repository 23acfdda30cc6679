#include "crosscheck/call_sign.h"

#include <gtest/gtest.h>

namespace qxqy::crosscheck {
namespace {

TEST(NormalizeCall, DropsOnlyTheSuffixesThatNeverCount) {
  const std::pair<const char*, const char*> cases[] = {
      {"qx1abc", "QX1ABC"},
      {"  QX1ABC \t", "QX1ABC"},
      {"QX1ABC/P", "QX1ABC"},
      {"QX1ABC/M", "QX1ABC"},
      {"QX1ABC/MM", "QX1ABC"},
      {"QX1ABC/AM", "QX1ABC"},
      {"QX1ABC/A", "QX1ABC"},
      {"QX1ABC/E", "QX1ABC"},
      {"QX1ABC/J", "QX1ABC"},
      {"QX1ABC/QRP", "QX1ABC"},
      {"P/QX1ABC", "QX1ABC"},
      {"EA8/QX1ABC/P", "EA8/QX1ABC"},
      {"EA8/QX1ABC", "EA8/QX1ABC"},
      {"QX1ABC/8", "QX1ABC/8"},
      {"QX1ABC//", "QX1ABC"},
      {"/P", ""},
      {"", ""},
      {"QX1ABC/PP", "QX1ABC/PP"},
  };
  for (const auto& [in, want] : cases) EXPECT_EQ(NormalizeCall(in), want) << in;
}

TEST(IsOneEdit, ChangeAddDropOrNeighbourSwap) {
  struct Case {
    const char* a;
    const char* b;
    bool one;
  };
  const Case cases[] = {
      {"QX1ABC", "QX1ABD", true},   // changed
      {"QX1ABC", "QX1AB", true},    // dropped at the end
      {"QX1ABC", "X1ABC", true},    // dropped at the start
      {"QX1ABC", "QX1AXBC", true},  // added
      {"QX1ABC", "QX1BAC", true},   // neighbours swapped
      {"QX1ABC", "XQ1ABC", true},   // swapped at the start
      {"QX1ABC", "QX1ABC", false},  // equal
      {"QX1ABC", "QX1CBA", false},  // a far swap
      {"QX1ABC", "QX2ABD", false},  // two changes
      {"QX1ABC", "QX1A", false},    // two dropped
      {"QX1ABC", "QX1ACBD", false}, {"", "Q", true},       {"", "", false},
      {"AB", "BA", true},           {"ABC", "BCA", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsOneEdit(c.a, c.b), c.one) << c.a << " " << c.b;
    EXPECT_EQ(IsOneEdit(c.b, c.a), c.one) << c.b << " " << c.a;
  }
}

}  // namespace
}  // namespace qxqy::crosscheck
