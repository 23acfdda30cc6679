#include "logfile/blank_split.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace qxqy::logfile {
namespace {

// The fields of `text` split one byte at a time: what the fast split must
// give.
std::vector<std::string> FieldsOneByOne(const std::string& text) {
  std::vector<std::string> fields;
  std::string field;
  for (char c : text) {
    if (IsBlank(c)) {
      if (!field.empty()) fields.push_back(field);
      field.clear();
    } else {
      field.push_back(c);
    }
  }
  if (!field.empty()) fields.push_back(field);
  return fields;
}

void ExpectSplitLikeOneByOne(const std::string& text) {
  const std::vector<std::string> expected = FieldsOneByOne(text);
  // Both ways of splitting, whichever this machine uses.
  std::vector<std::string> by_words;
  blank_split_detail::SplitByWords(
      text, [&](size_t start, size_t end) { by_words.push_back(text.substr(start, end - start)); });
  EXPECT_EQ(by_words, expected) << "by words: [" << text << "]";
#if defined(__SSE2__)
  std::vector<std::string> by_masks;
  blank_split_detail::SplitByMasks(
      text, [&](size_t start, size_t end) { by_masks.push_back(text.substr(start, end - start)); });
  EXPECT_EQ(by_masks, expected) << "by masks: [" << text << "]";
#endif
  std::array<std::string_view, 11> fields;
  const size_t count = SplitAtBlanks(text, fields);
  ASSERT_EQ(count, expected.size()) << "[" << text << "]";
  for (size_t i = 0; i < std::min(count, fields.size()); ++i) {
    EXPECT_EQ(fields[i], expected[i]) << "field " << i << " of [" << text << "]";
    // Each field is a view into the line itself.
    EXPECT_GE(fields[i].data(), text.data());
    EXPECT_LE(fields[i].data() + fields[i].size(), text.data() + text.size());
  }
}

TEST(BlankSplitTest, SplitsAtRunsOfSpacesAndTabs) {
  const std::string cases[] = {
      "",
      " ",
      "\t \t",
      "14025 CW 2026-03-14 0001 QX1AA 599 001 QY2BB 599 MAR",
      "  14025\tCW  2026-03-14 0001 QX1AA 599 001 QY2BB 599 MAR 1  ",
      "a b c d e f g h i j k l m n",  // more fields than kept: all counted
      "x",
      "\r\n\v\f are no blanks",
      // Fields and runs of blanks across the 64-byte blocks.
      std::string(63, 'A') + " " + std::string(70, 'B'),
      std::string(64, 'A') + " B",
      std::string(64, ' ') + "A",
      std::string(65, 'A'),
      std::string(128, 'A'),
      std::string(63, ' ') + "AB" + std::string(63, ' ') + "C",
  };
  for (const std::string& text : cases) ExpectSplitLikeOneByOne(text);
}

// Lines of random lengths over an alphabet rich in blanks, so that fields
// and runs start and end at every place of a block.
TEST(BlankSplitTest, AgreesWithASplitOneByOneOnRandomLines) {
  std::mt19937 random(20261208);
  const char alphabet[] = {' ', ' ', '\t', 'Q', 'x', '0', '\0', '\xE9', '-'};
  for (int round = 0; round < 4000; ++round) {
    std::string text(random() % 200, ' ');
    for (char& c : text) c = alphabet[random() % sizeof alphabet];
    ExpectSplitLikeOneByOne(text);
  }
}

}  // namespace
}  // namespace qxqy::logfile
