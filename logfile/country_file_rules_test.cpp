// The country file's layout at its edges: overrides of every kind after a
// prefix or an exact call, line ends of every kind, prefixes of every
// length, and what an entry may be made of.
#include <gtest/gtest.h>

#include <string>

#include "logfile/country_file.h"

namespace qxqy::logfile {
namespace {

std::string CountryOf(const CountryFile& file, const std::string& call) {
  const CountryFile::Entity* entity = file.Lookup(call);
  return entity != nullptr ? entity->primary_prefix : "-";
}

constexpr char kHome[] = "Home: 14: 21: EU: 47.5: -11.2: -1.0: QX:\n    QX;\n";

TEST(CountryFileRulesTest, ReadsPastOverridesOfEveryKindAndTheirMix) {
  const char* const aliases[] = {
      "QW5",           "QW5(16)",     "QW5[23]",          "QW5<42.0/-16.0>",
      "QW5{EU}",       "QW5~-1.0~",   "QW5{EU}~-1.0~",    "QW5(16)[23]<42.0/-16.0>{EU}~-1.0~",
      "QW5~-1.0~(16)", "QW5[23](16)", "QW5<1/2>{EU}[23]", " QW5 (16) ",
      "qw5",           "(16)QW5",     "QW[23]5",
  };
  for (const char* alias : aliases) {
    const std::string text = std::string(kHome) +
                             "Isles: 15: 22: EU: 44.1: -13.8: -1.0: QY:\n    QY," + alias +
                             ",=QW6AB{EU}~-1.0~(3);\n";
    const CountryFile file = CountryFile::Parse(text, "cty.dat");
    EXPECT_EQ(CountryOf(file, "QW5AB"), "QY") << alias;
    EXPECT_EQ(CountryOf(file, "QW4AB"), "-") << alias;
    EXPECT_EQ(CountryOf(file, "QW6AB"), "QY") << alias;  // an exact call, overrides read past
    EXPECT_EQ(CountryOf(file, "QW6ABC"), "-") << alias;
  }
}

TEST(CountryFileRulesTest, CountsLinesOfEveryLineEnd) {
  // The broken line's number counts CR LF, LF and CR once each; LF CR and
  // CR CR LF are two line ends each (a blank line between).
  const std::pair<std::string, std::string> cases[] = {
      {"\n", "3"}, {"\r\n", "3"}, {"\r", "3"}, {"\n\r", "5"}, {"\r\r\n", "5"},
  };
  for (const auto& [end, line] : cases) {
    const std::string text =
        "Home: 14: 21: EU: 47.5: -11.2: -1.0: QX:" + end + "    QX;" + end + "Broken" + end;
    try {
      CountryFile::Parse(text, "cty.dat");
      ADD_FAILURE() << "no error";
    } catch (const CountryFileError& error) {
      const std::string message = error.what();
      EXPECT_EQ(message.substr(0, message.find(':', 8)), "cty.dat:" + line) << message;
    }
    // And read whole when nothing is broken.
    const std::string good = "Home: 14: 21: EU: 47.5: -11.2: -1.0: QX:" + end + "    QX," + end +
                             "    QW;" + end + "Isles: 1: 2: EU: 0: 0: 0: QY:" + end + "QY;";
    const CountryFile file = CountryFile::Parse(good, "cty.dat");
    EXPECT_EQ(file.EntityCount(), 2u);
    EXPECT_EQ(CountryOf(file, "QW1A"), "QX");
    EXPECT_EQ(CountryOf(file, "QY1A"), "QY");
  }
}

TEST(CountryFileRulesTest, ReadsAnEntityLineOfExactlyEightFields) {
  const std::pair<const char*, bool> cases[] = {
      {"A: 1: 2: EU: 0: 0: 0: QX:", true},         {"  A : 1 : 2 : EU : 0 : 0 : 0 : QX :  ", true},
      {"A: 1: 2: EU: 0: 0: QX:", false},           {"A: 1: 2: EU: 0: 0: 0: QX: extra", false},
      {"A: 1: 2: EU: 0: 0: 0: QX: extra:", false}, {"A: 1: 2: EU: 0: 0: 0: QX::", false},
  };
  for (const auto& [header, read] : cases) {
    const std::string text = std::string(header) + "\n    QX;\n";
    bool parsed = true;
    try {
      CountryFile::Parse(text, "cty.dat");
    } catch (const CountryFileError&) {
      parsed = false;
    }
    EXPECT_EQ(parsed, read) << header;
  }
}

TEST(CountryFileRulesTest, FindsAPrefixOfEachLength) {
  // Each length once, up to past the lengths whose first bytes are kept:
  // the longest that starts the call wins.
  std::string text = kHome;
  const std::string digits = "123456789012345678";
  for (size_t length = 2; length <= digits.size(); ++length) {
    const std::string prefix = "Z" + digits.substr(0, length - 1);
    text += "E" + std::to_string(length) + ": 1: 1: AS: 0: 0: 0: " + prefix + ":\n    " + prefix +
            ";\n";
  }
  const CountryFile file = CountryFile::Parse(text, "cty.dat");
  for (size_t length = 2; length <= digits.size(); ++length) {
    const std::string prefix = "Z" + digits.substr(0, length - 1);
    EXPECT_EQ(CountryOf(file, prefix + "X"), prefix) << length;
    EXPECT_EQ(CountryOf(file, prefix), prefix) << length;
  }
  EXPECT_EQ(CountryOf(file, "Z"), "-");
  EXPECT_EQ(CountryOf(file, "Z2"), "-");
}

TEST(CountryFileRulesTest, TakesEntriesAsWrittenAndOnlyThose) {
  const std::string text = std::string(kHome) +
                           "Isles: 15: 22: EU: 44.1: -13.8: -1.0: *QY:\n"
                           "    QY, , =, =QY9*, =Q*Y1, ~~,\n"
                           "    QV;\n"
                           "Mid:   1:  1:  EU:  0:  0:  0:  QU*:\n"
                           "    QU;\n";
  const CountryFile file = CountryFile::Parse(text, "cty.dat");
  const std::pair<const char*, const char*> cases[] = {
      {"QY1A", "QY"},                   // the primary's "*" dropped
      {"", "-"},                        // an empty entry or a lone "=" is no entry
      {"QY9*", "QY"},                   // an exact call is as written
      {"Q*Y1", "QY"},  {"QV1A", "QY"},  // a prefix on the next line of the list
      {"QU1A", "QU*"},                  // only a leading "*" is dropped
      {"*QY", "-"},
  };
  for (const auto& [call, country] : cases) EXPECT_EQ(CountryOf(file, call), country) << call;
  EXPECT_EQ(file.EntityCount(), 3u);
  EXPECT_EQ(CountryFile::Parse("", "cty.dat").EntityCount(), 0u);
  EXPECT_EQ(CountryFile::Parse(" \t\n\r\n\n", "cty.dat").EntityCount(), 0u);
}

}  // namespace
}  // namespace qxqy::logfile
