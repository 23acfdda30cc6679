#include "refdata/line_split.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qxqy {
namespace {

struct SplitCase {
  std::string bytes;
  std::vector<std::string> lines;
};

TEST(SplitIntoLinesTest, BreaksAtEveryKindOfLineEnd) {
  const SplitCase cases[] = {
      {"", {}},
      {"A", {"A"}},
      {"A\r\nB\r\n", {"A", "B"}},
      {"A\nB\n", {"A", "B"}},
      {"A\rB\r", {"A", "B"}},
      {"A\r\nB", {"A", "B"}},  // a last line without a break loses nothing
      {"A\n\nB", {"A", "", "B"}},
      {"\r\n", {""}},
      {"\n\n", {"", ""}},
      {"A\r\r\nB", {"A", "", "B"}},  // lone CR, then CR LF
      {"A\n\rB", {"A", "", "B"}},    // lone LF, then lone CR
      {"A\r\n\r\n", {"A", ""}},
      {" A = B \t\r\n", {" A = B \t"}},  // nothing is trimmed
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(SplitIntoLines(c.bytes), c.lines) << "input: \"" << c.bytes << "\"";
  }
}

TEST(SplitIntoLinesTest, SkipsAUtf8ByteOrderMarkAtTheStartOnly) {
  const SplitCase cases[] = {
      {"\xEF\xBB\xBF"
       "A=A\r\nB=B",
       {"A=A", "B=B"}},
      {"\xEF\xBB\xBF", {}},
      {"\xEF\xBB\xBF\r\nA", {"", "A"}},
      {"\xEF\xBB\xBF\xEF\xBB\xBF"
       "A",
       {"\xEF\xBB\xBF"
        "A"}},  // one mark only
      {"A\n\xEF\xBB\xBF"
       "B",
       {"A",
        "\xEF\xBB\xBF"
        "B"}},  // not within the text
      {"\xEF\xBB"
       "A",
       {"\xEF\xBB"
        "A"}},  // not a part of one
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(SplitIntoLines(c.bytes), c.lines) << "input: \"" << c.bytes << "\"";
  }
}

TEST(SplitIntoLinesTest, NulEndsTheText) {
  EXPECT_EQ(SplitIntoLines(std::string("A\r\nB\0C\r\nD", 10)),
            (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(SplitIntoLines(std::string("\0A", 2)), std::vector<std::string>{});
}

TEST(SplitIntoLinesTest, KeepsHighBytesUnchanged) {
  EXPECT_EQ(SplitIntoLines("\xC0\xFF=\x80\n"), std::vector<std::string>{"\xC0\xFF=\x80"});
}

}  // namespace
}  // namespace qxqy
