#include "tools/hostsim/text_format.h"

#include <gtest/gtest.h>

#include "base/error.h"

namespace qxqy::hostsim {
namespace {

TEST(TextFormatTest, EscapesEveryByteThatIsNotPrintableAscii) {
  const struct {
    std::string text;
    std::string escaped;
  } cases[] = {
      {"K1ABC 599", "K1ABC 599"},
      {"a\\b", "a\\\\b"},
      {"\t\r\n", "\\t\\r\\n"},
      {std::string("\0\x1F\x7F\x80\xFF", 5), "\\x00\\x1F\\x7F\\x80\\xFF"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EscapeText(c.text), c.escaped) << "text: " << c.escaped;
    EXPECT_EQ(UnescapeText(c.escaped), c.text) << "escaped: " << c.escaped;
  }
}

TEST(TextFormatTest, QuotesEscapeTheQuoteAndRoundTrip) {
  EXPECT_EQ(QuoteText("say \"hi\""), "\"say \\\"hi\\\"\"");
  EXPECT_EQ(EscapeText("a|b", "|"), "a\\|b");
  EXPECT_EQ(UnescapeText("say \\\"hi\\\""), "say \"hi\"");
}

TEST(TextFormatTest, RejectsMalformedEscapes) {
  for (const char* text : {"ends with \\", "\\q", "\\x4", "\\xG0"}) {
    EXPECT_THROW(UnescapeText(text), Error) << text;
  }
}

TEST(TextFormatTest, ParsesHexBytesWithOrWithoutBlanks) {
  EXPECT_EQ(ParseHexBytes("05 41 ff"), (std::vector<unsigned char>{0x05, 0x41, 0xFF}));
  EXPECT_EQ(ParseHexBytes("0541FF"), (std::vector<unsigned char>{0x05, 0x41, 0xFF}));
  EXPECT_TRUE(ParseHexBytes("").empty());
  for (const char* text : {"5", "0 5", "zz", "05-41"}) {
    EXPECT_THROW(ParseHexBytes(text), Error) << text;
  }
}

TEST(TextFormatTest, MergesChangedBytesIntoRangesSkippingAllowedOnes) {
  const unsigned char before[10] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const unsigned char after[10] = {1, 1, 0, 1, 1, 1, 0, 0, 0, 1};
  const auto all = ChangedRanges(before, after, 10, [](size_t) { return false; });
  EXPECT_EQ(FormatByteRanges(all), "0..1, 3..5, 9");
  const auto outside = ChangedRanges(before, after, 10, [](size_t i) { return i <= 3; });
  EXPECT_EQ(FormatByteRanges(outside), "4..5, 9");
  EXPECT_EQ(FormatByteRanges({}), "");
}

}  // namespace
}  // namespace qxqy::hostsim
