#include "refdata/district_table.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace qxqy {
namespace {

DistrictTable TableOf(std::vector<std::string> lines) {
  DistrictTable table;
  table.Assign(std::move(lines));
  return table;
}

TEST(DistrictTableTest, NameLookupFollowsTheTableFormat) {
  const DistrictTable table = TableOf({"no equals", "ABC = ABC", "abc=ABC", "ABC=second", "XYZ=abc",
                                       "DEF=DEF ", "GHI=a=b", "=empty name"});
  struct Lookup {
    const char* name;
    const char* value;
  } lookups[] = {
      {"ABC", "ABC"},                       // first line whose name matches ignoring case
      {"abc", "ABC"},                       // the value is returned as written
      {"ABC ", " ABC"},                     // a blank before "=" belongs to the name
      {"XYZ", "abc"},     {"DEF", "DEF "},  // untrimmed
      {"GHI", "a=b"},                       // everything after the first "="
      {"", "empty name"}, {"no equals", ""}, {"QQQ", ""},
  };
  for (const Lookup& l : lookups) {
    EXPECT_EQ(table.ValueOfName(l.name), l.value) << "name: \"" << l.name << "\"";
  }
}

// A name written as a later line writes it answers with the value of the
// first line whose name equals it ignoring case, as any other spelling does.
TEST(DistrictTableTest, ExactSpellingOfALaterLineAnswersWithTheFirstLine) {
  const DistrictTable table =
      TableOf({"Abc=first", "ABC=second", "abc=third", "XY=", "xy=later", "\xC4=upper"});
  struct Lookup {
    const char* name;
    const char* value;
  } lookups[] = {
      {"Abc", "first"}, {"ABC", "first"}, {"abc", "first"}, {"aBC", "first"},
      {"XY", ""},       {"xy", ""},       {"Xy", ""},       {"\xC4", "upper"},
      {"AB", ""},       {"ABCD", ""},     {"", ""},
  };
  for (const Lookup& l : lookups) {
    EXPECT_EQ(table.ValueOfName(l.name), l.value) << "name: \"" << l.name << "\"";
  }
}

TEST(DistrictTableTest, KeepsTheRawLinesInOrder) {
  const DistrictTable table = TableOf({"ABC=ABC", "", "ABC=ABC", " x "});
  ASSERT_EQ(table.Count(), 4u);
  EXPECT_EQ(table[1], "");
  EXPECT_EQ(table[3], " x ");
  EXPECT_EQ(table.Lines().Count(), 4u);
}

TEST(DistrictTableTest, AssignReplacesTheIndexAndClearEmptiesIt) {
  DistrictTable table = TableOf({"ABC=ABC"});
  table.Assign({"XYZ=XYZ"});
  EXPECT_EQ(table.ValueOfName("ABC"), "");
  EXPECT_EQ(table.ValueOfName("XYZ"), "XYZ");
  table.Clear();
  EXPECT_EQ(table.Count(), 0u);
  EXPECT_EQ(table.ValueOfName("XYZ"), "");
}

TEST(DistrictTableTest, CopiesAnswerFromTheirOwnLines) {
  DistrictTable original = TableOf({"ABC=ABC"});
  const DistrictTable copy = original;
  original.Assign({"ABC=XYZ"});
  EXPECT_EQ(copy.ValueOfName("abc"), "ABC");
}

// The index must answer exactly as the linear search of the string list.
TEST(DistrictTableTest, IndexAgreesWithTheLinearSearchOnRandomTables) {
  std::mt19937 random(7);
  // Case variants, a non-ASCII letter in both cases (Latin-1), the separator
  // and a blank.
  const std::string alphabet = "aAbB= \xC4\xE4";
  auto random_text = [&](size_t max_length) {
    std::string text(random() % (max_length + 1), ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> lines;
    const size_t count = random() % 12;
    for (size_t i = 0; i < count; ++i) lines.push_back(random_text(6));
    const DistrictTable table = TableOf(lines);
    StringList reference;
    reference.Assign(lines);
    std::vector<std::string> names;
    for (int probe = 0; probe < 20; ++probe) names.push_back(random_text(3));
    // The names as the lines write them, which the exact-name index answers.
    for (const std::string& line : lines) names.push_back(line.substr(0, line.find('=')));
    for (const std::string& name : names) {
      ASSERT_EQ(table.ValueOfName(name), reference.ValueOfName(name))
          << "name \"" << name << "\" in round " << round;
    }
  }
}

}  // namespace
}  // namespace qxqy
