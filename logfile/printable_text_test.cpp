#include "logfile/printable_text.h"

#include <gtest/gtest.h>

#include <string>

namespace qxqy::logfile {
namespace {

TEST(PrintableTextTest, EscapesControlCharactersAndKeepsTheRest) {
  const std::pair<std::string, std::string> cases[] = {
      {"QY2CD 599 BEX", "QY2CD 599 BEX"},
      {"\x1B[2J", "\\x1b[2J"},  // an escape sequence
      {"a\ab", "a\\x07b"},      // a BEL
      {"\t\r\n", "\\t\\r\\n"},
      {std::string("\0\x7F", 2), "\\x00\\x7f"},
      {"\x9B"
       "1m",
       "\\x9b1m"},  // a C1 control as Latin-1
      {"\xC2\x9B"
       "1m",
       "\\xc2\\x9b1m"},                    // and as UTF-8
      {"M\xC3\xBCller", "M\xC3\xBCller"},  // UTF-8 letters stay
      {"M\xFCller", "M\xFCller"},          // and Latin-1 ones
      {"C:\\logs\\a.cbr", "C:\\logs\\a.cbr"},
      {"", ""},
  };
  for (const auto& [text, shown] : cases) {
    EXPECT_EQ(EscapeUnprintable(text), shown) << text;
  }
}

TEST(PrintableTextTest, TakesOnlyWellFormedUtf8Sequences) {
  const std::pair<std::string, size_t> cases[] = {
      {"A", 1},
      {"\xC3\xBC", 2},
      {"\xE2\x82\xAC", 3},
      {"\xF0\x9F\x93\xBB", 4},
      {"\xF4\x8F\xBF\xBF", 4},  // U+10FFFF
      {"\xF4\x90\x80\x80", 0},  // beyond it
      {"\xC3", 0},              // cut
      {"\xE2\x82", 0},
      {"\xC3(", 0},
      {"\xC0\xAF", 0},  // overlong
      {"\xE0\x80\xAF", 0},
      {"\xF0\x80\x80\xAF", 0},
      {"\xED\xA0\x80", 0},  // a surrogate
      {"\x80", 0},          // a lone continuation byte
      {"\xFF", 0},
  };
  for (const auto& [bytes, length] : cases) {
    uint32_t code_point = 0;
    EXPECT_EQ(Utf8SequenceAt(bytes, code_point), length) << bytes;
  }
  uint32_t code_point = 0;
  Utf8SequenceAt("\xE2\x82\xAC", code_point);
  EXPECT_EQ(code_point, 0x20ACu);
}

}  // namespace
}  // namespace qxqy::logfile
