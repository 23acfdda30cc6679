#include "scoring/multiplier_key_list.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/text.h"

namespace qxqy {
namespace {

using Index = MultiplierKeyList::SubstringIndex;

TEST(MultiplierKeyTest, PutsBandAndCodeBetweenBarsUntouched) {
  EXPECT_EQ(MultiplierKey("14", "ABC"), "14|ABC|");
  EXPECT_EQ(MultiplierKey(" 14", "qx1"), " 14|qx1|");
  EXPECT_EQ(MultiplierKey("7", ""), "7||");
  EXPECT_EQ(MultiplierKey("", ""), "||");
  const std::string longest(255, '\xFF');
  EXPECT_EQ(MultiplierKeyText(longest, longest).view(), longest + "|" + longest + "|");
  EXPECT_THROW(MultiplierKeyText(longest + "x", ""), std::length_error);
  EXPECT_THROW(MultiplierKeyText("", longest + "x"), std::length_error);
}

TEST(MultiplierKeyListTest, HoldsEachKeyOnceIgnoringCaseInOrderOfAddition) {
  MultiplierKeyList list;
  EXPECT_TRUE(list.AddIfAbsent("14|QX1|"));
  EXPECT_TRUE(list.AddIfAbsent("7|QX1|"));
  EXPECT_FALSE(list.AddIfAbsent("14|qx1|"));
  EXPECT_TRUE(list.AddIfAbsent("14|QX1| "));
  EXPECT_TRUE(list.AddIfAbsent("||"));
  EXPECT_EQ(list.Keys(), (std::vector<std::string>{"14|QX1|", "7|QX1|", "14|QX1| ", "||"}));
  EXPECT_TRUE(list.ContainsIgnoringCase("14|Qx1|"));
  EXPECT_FALSE(list.ContainsIgnoringCase("14|QX2|"));
}

TEST(MultiplierKeyListTest, ExactAndCaseInsensitiveLookupsHoldAcrossGrowth) {
  // Enough keys for both indexes to grow several times; then every key is
  // found by its bytes, its other-case spelling only ignoring case, and the
  // other spelling is never added.
  MultiplierKeyList list;
  auto key = [](int i) { return "14|QX" + std::to_string(i) + "|"; };
  auto other_case = [](int i) { return "14|qx" + std::to_string(i) + "|"; };
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(list.AddIfAbsent(key(i))) << key(i);
  for (int i = 0; i < 1000; ++i) {
    ASSERT_TRUE(list.ContainsExactly(key(i))) << key(i);
    ASSERT_FALSE(list.ContainsExactly(other_case(i))) << other_case(i);
    ASSERT_TRUE(list.ContainsIgnoringCase(other_case(i))) << other_case(i);
    ASSERT_FALSE(list.AddIfAbsent(other_case(i))) << other_case(i);
    ASSERT_FALSE(list.ContainsIgnoringCase(key(i) + " ")) << key(i);
  }
  EXPECT_EQ(list.Count(), 1000u);
  EXPECT_EQ(list[999], key(999));
}

// The further test of an addition is asked only for a key not listed byte
// for byte, and a case variant of a listed key is refused whatever it says.
TEST(MultiplierKeyListTest, AddsAConfirmedKeyAskingOnlyWhenNotListedExactly) {
  const struct {
    const char* key;
    bool confirmed;
    bool asked;
    bool added;
  } steps[] = {
      {"14|ABC|", true, true, true},    // new and confirmed
      {"14|ABC|", true, false, false},  // listed: not asked again
      {"14|abc|", true, true, false},   // case variant: asked, still refused
      {"14|XYZ|", false, true, false},  // not confirmed
      {"14|XYZ|", true, true, true},    // asked again, now confirmed
      {"||", true, true, true},         // empty band and code
      {"14|\xC4"
       "B|",
       true, true, true},  // non-ASCII bytes
      {"14|\xC4"
       "B|",
       false, false, false},
  };
  MultiplierKeyList list;
  for (const auto& step : steps) {
    bool asked = false;
    const bool added = list.AddIfAbsent(step.key, [&] {
      asked = true;
      return step.confirmed;
    });
    EXPECT_EQ(asked, step.asked) << step.key;
    EXPECT_EQ(added, step.added) << step.key;
  }
  EXPECT_EQ(list.Keys(), (std::vector<std::string>{"14|ABC|", "14|XYZ|", "||",
                                                   "14|\xC4"
                                                   "B|"}));
}

TEST(MultiplierKeyListTest, ReservedRoomChangesNoAnswer) {
  MultiplierKeyList reserved;
  MultiplierKeyList grown;
  reserved.Reserve(300);
  reserved.Reserve(10);  // never shrinks
  for (int i = 0; i < 600; ++i) {
    const std::string key = "7|Q" + std::to_string(i % 400) + (i % 3 == 0 ? "x|" : "X|");
    ASSERT_EQ(reserved.AddIfAbsent(key), grown.AddIfAbsent(key)) << key;
  }
  EXPECT_EQ(reserved.Keys(), grown.Keys());
}

TEST(MultiplierKeyListTest, ClearEmptiesTheListAndItsIndexes) {
  MultiplierKeyList list(Index::kBarEnded);
  list.AddIfAbsent("14|ABC|");
  list.Clear();
  EXPECT_TRUE(list.Empty());
  EXPECT_FALSE(list.ContainsExactly("14|ABC|"));
  EXPECT_FALSE(list.ContainsIgnoringCase("14|ABC|"));
  EXPECT_FALSE(list.AnyKeyContains("14|ABC|"));
  EXPECT_TRUE(list.AddIfAbsent("14|abc|"));
}

TEST(MultiplierKeyListTest, SubstringTestAsTheMultiplierWindowAsksIt) {
  for (Index index : {Index::kNone, Index::kBarEnded}) {
    MultiplierKeyList list(index);
    for (const char* key : {"14|XAB|", "18|ABC|", " 7|DEF|", "28|LONGER|", "1.8|ABCD|"}) {
      list.AddIfAbsent(key);
    }
    const struct {
      const char* text;
      bool found;
    } cases[] = {
        {"14|XAB|", true},   {"|AB|", false},      {"4|XAB|", true},     {"1.8|ABC|", false},
        {"18|ABC|", true},   {"|ABC|", true},      {"7|DEF|", true},     {" 7|DEF|", true},
        {"14|xab|", false},  {"28|LONGER|", true}, {"|LONGER|", true},   {"28|LONGEST|", false},
        {"XAB", true},       {"", false},          {"14|XAB", true},     {"|", true},
        {"1.8|ABCD|", true}, {".8|ABCD|", true},   {"1.8|ABCE|", false},
    };
    for (const auto& c : cases) {
      EXPECT_EQ(list.AnyKeyContains(c.text), c.found)
          << "\"" << c.text << "\" index " << static_cast<int>(index);
    }
  }
}

bool AnyKeyContainsReference(const std::vector<std::string>& keys, const std::string& text) {
  if (text.empty()) return false;
  for (const std::string& key : keys) {
    if (key.find(text) != std::string::npos) return true;
  }
  return false;
}

TEST(MultiplierKeyListTest, IndexesAgreeWithLinearSearchesOnRandomKeys) {
  std::mt19937 random(5);
  const std::string alphabet = "1.|aA";
  auto random_text = [&](size_t max_length) {
    std::string text(random() % (max_length + 1), ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  for (int round = 0; round < 100; ++round) {
    MultiplierKeyList list(Index::kBarEnded);
    std::vector<std::string> keys;
    for (int i = 0; i < 15; ++i) {
      const std::string key = random_text(12);
      bool present = false;
      for (const std::string& existing : keys) present |= SameTextIgnoreCase(existing, key);
      ASSERT_EQ(list.AddIfAbsent(key), !present) << "key \"" << key << "\" round " << round;
      if (!present) keys.push_back(key);
    }
    ASSERT_EQ(list.Keys(), keys) << "round " << round;
    for (int probe = 0; probe < 200; ++probe) {
      std::string text = random_text(11);
      if (probe % 2 == 0 && !keys.empty()) {
        // A piece of a key, so that a good share of the probes is found.
        const std::string& key = keys[random() % keys.size()];
        const size_t begin = random() % (key.size() + 1);
        text = key.substr(begin, random() % (key.size() - begin + 1));
      }
      if (probe % 3 == 0) text += '|';  // the form the window asks about
      ASSERT_EQ(list.AnyKeyContains(text), AnyKeyContainsReference(keys, text))
          << "text \"" << text << "\" round " << round;
    }
  }
}

}  // namespace
}  // namespace qxqy
