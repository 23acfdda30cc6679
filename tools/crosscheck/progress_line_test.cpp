#include "tools/crosscheck/progress_line.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qxqy::crosscheck_tool {
namespace {

TEST(ProgressLine, BarText) {
  EXPECT_EQ(ProgressText("reading", 0, 10, 10), "reading [          ] 0/10");
  EXPECT_EQ(ProgressText("reading", 3, 10, 10), "reading [###       ] 3/10");
  EXPECT_EQ(ProgressText("scoring", 10, 10, 10), "scoring [##########] 10/10");
  EXPECT_EQ(ProgressText("matching", 0, 0, 4), "matching [####] 0/0");
}

TEST(ProgressLine, NotATerminalGetsALineAsEachPhaseEnds) {
  std::ostringstream out;
  {
    ProgressLine line(out, /*terminal=*/false);
    for (size_t i = 1; i <= 5; ++i) line.Update("reading", i, 5);
    line.Update("reading", 5, 5);  // told again at the end
    line.Update("matching", 0, 1);
    line.Update("matching", 1, 1);
  }
  EXPECT_EQ(out.str(), "qxqy-crosscheck: reading 5/5\nqxqy-crosscheck: matching 1/1\n");
}

TEST(ProgressLine, ATerminalRedrawsOneLineAndClearsIt) {
  std::ostringstream out;
  {
    ProgressLine line(out, /*terminal=*/true);
    for (size_t i = 1; i <= 3000; ++i) line.Update("reading", i, 3000);
  }
  const std::string text = out.str();
  EXPECT_EQ(text.find('\n'), std::string::npos);
  // At most one drawing per permille.
  size_t drawings = 0;
  for (size_t at = text.find("reading"); at != std::string::npos;
       at = text.find("reading", at + 1)) {
    ++drawings;
  }
  EXPECT_LE(drawings, 1001u);
  EXPECT_EQ(text.substr(text.size() - 4), "\r\x1b[K");
}

}  // namespace
}  // namespace qxqy::crosscheck_tool
