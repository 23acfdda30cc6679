#include "base/text.h"

#include <gtest/gtest.h>

#include <cctype>

namespace qxqy {
namespace {

TEST(TextTest, UpperCaseChangesOnlyAsciiLowerCaseLetters) {
  EXPECT_EQ(UpperCase("ab-z{`@\xE9\xFF"), "AB-Z{`@\xE9\xFF");
  EXPECT_EQ(UpperCase(""), "");
}

TEST(TextTest, TrimRemovesCodesUpToSpaceAtBothEnds) {
  EXPECT_EQ(Trim(std::string("\0\x01 \t AB C \x1F\x20", 11)), "AB C");
  EXPECT_EQ(Trim("\x21X\x21"), "\x21X\x21");
  EXPECT_EQ(Trim("\xA0X\xA0"), "\xA0X\xA0");  // a non-breaking space is kept
  EXPECT_EQ(Trim("   "), "");
}

TEST(TextTest, TrimViewTrimsLikeTrimWithoutCopying) {
  const std::string text("\0\x20!A\xFF!\x1F\x20", 8);
  const std::string_view view = TrimView(text);
  EXPECT_EQ(view, "!A\xFF!");
  EXPECT_EQ(view.data(), text.data() + 2);
  EXPECT_EQ(Trim(text), std::string(view));
  EXPECT_EQ(TrimView("\x20\x01"), "");
  EXPECT_TRUE(IsTrimmedChar(' '));
  EXPECT_FALSE(IsTrimmedChar('!'));
  EXPECT_FALSE(IsTrimmedChar('\x80'));
}

TEST(TextTest, CompareOrdinalUsesUnsignedBytesAndPutsAPrefixFirst) {
  EXPECT_EQ(CompareOrdinal("", ""), 0);
  EXPECT_EQ(CompareOrdinal("", "A"), -1);
  EXPECT_EQ(CompareOrdinal("AB", "A"), 1);
  EXPECT_EQ(CompareOrdinal("a", "B"), 1);       // case matters: 'a' (97) > 'B' (66)
  EXPECT_EQ(CompareOrdinal("\xE9", "z"), 1);    // high bytes sort after ASCII
  EXPECT_EQ(CompareOrdinal("K1A ", "K1A"), 1);  // nothing is trimmed
}

TEST(TextTest, CaseInsensitiveEqualityAgreesWithItsKey) {
  const char* pairs[][2] = {
      {"14|abc|", "14|ABC|"}, {"Qx", "qX"}, {"ABC", "ABD"}, {"", ""}, {"A", "A "}};
  for (const auto& pair : pairs) {
    SCOPED_TRACE(std::string(pair[0]) + " / " + pair[1]);
    EXPECT_EQ(SameTextIgnoreCase(pair[0], pair[1]),
              CaseInsensitiveKey(pair[0]) == CaseInsensitiveKey(pair[1]));
  }
  EXPECT_TRUE(SameTextIgnoreCase("14|abc|", "14|ABC|"));
  EXPECT_FALSE(SameTextIgnoreCase("ABC", "ABD"));
  EXPECT_FALSE(SameTextIgnoreCase("A", "A "));
}

#if !defined(_WIN32)
// The key folds each byte as the C library's tolower does under the
// current locale, whatever way it reads the locale's table (on Windows the
// key is the user locale's sort key instead).
TEST(TextTest, CaseInsensitiveKeyFoldsEveryByteAsTolower) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string text(1, static_cast<char>(byte));
    const auto folded = static_cast<char>(std::tolower(byte));
    EXPECT_EQ(CaseInsensitiveKey(text), std::string(1, folded)) << "byte " << byte;
  }
}
#endif

}  // namespace
}  // namespace qxqy
