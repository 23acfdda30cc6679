#include "base/string_list.h"

#include <gtest/gtest.h>

namespace qxqy {
namespace {

StringList ListOf(std::vector<std::string> lines) {
  StringList list;
  list.Assign(std::move(lines));
  return list;
}

TEST(StringListTest, ValueOfNameTakesTheFirstLineWhoseNameMatchesIgnoringCase) {
  const StringList list = ListOf({"no equals", "abc=ABC", "ABC=second", "XYZ=a=b ", "=empty"});
  EXPECT_EQ(list.ValueOfName("ABC"), "ABC");
  EXPECT_EQ(list.ValueOfName("xyz"), "a=b ");  // rest of the line, untrimmed
  EXPECT_EQ(list.ValueOfName(""), "empty");
  EXPECT_EQ(list.ValueOfName("no equals"), "");
  EXPECT_EQ(list.ValueOfName("QQQ"), "");
}

TEST(StringListTest, NameEndsAtTheFirstEqualsSignAndKeepsBlanks) {
  const StringList list = ListOf({"ABC = ABC"});
  EXPECT_EQ(list.ValueOfName("ABC"), "");
  EXPECT_EQ(list.ValueOfName("ABC "), " ABC");
}

TEST(StringListTest, IndexOfFindsAWholeEntryIgnoringCase) {
  const StringList list = ListOf({"14|ABC|", "7|XY|"});
  EXPECT_EQ(list.IndexOf("7|xy|"), 1);
  EXPECT_EQ(list.IndexOf("14|ABC"), -1);
  EXPECT_EQ(list.IndexOf("14|ABC| "), -1);
}

}  // namespace
}  // namespace qxqy
