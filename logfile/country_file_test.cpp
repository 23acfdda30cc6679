#include "logfile/country_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "logfile/contact_fields.h"

namespace qxqy::logfile {
namespace {

constexpr char kCountries[] =
    "Home Land:       14:  21:  EU:   47.50:   -11.20:    -1.0:  QX:\n"
    "    QX,QW9,=QY9OLD;\n"
    "Isles:           15:  22:  EU:   44.10:   -13.80:    -1.0:  QY:\n"
    "    QY,\n"
    "    =QX0ISL, =N8BJQ/KH9;\n"
    "Reef:            16:  23:  EU:   42.00:   -16.00:    -1.0:  *QY0Z:\n"
    "    QY0Z(16)[23]<42.0/-16.0>{EU}~-1.0~;\n"
    "\r\n"
    "North:            5:   8:  NA:   40.00:    90.00:     5.0:  K:\r\n"
    "    AA,K,N,W,kh6;\r\n"
    "Atoll:           31:  65:  OC:   19.30:  -166.60:   -12.0:  KH9:\n"
    "    KH9,NH9;\n"
    "Lowlands:        14:  27:  EU:   52.40:    -4.90:    -1.0:  PA:\n"
    "    PA,PB,PD;\n";

TEST(CountryFileTest, ResolvesByExactCallThenLongestPrefixThenDesignator) {
  const CountryFile file = CountryFile::Parse(kCountries, "cty.dat");
  EXPECT_EQ(file.EntityCount(), 6u);
  const std::pair<std::string, std::string> cases[] = {
      {"QX1AB", "QX"},      {"QY2CD", "QY"},
      {"QY0ZZ", "QY0Z"},  // the longest prefix wins; "*" dropped
      {"QY0AB", "QY"},    // QY0Z does not match QY0A
      {"QW9AA", "QX"},      {"QW1AA", ""},
      {"QY9OLD", "QX"},                           // an exact call before any prefix
      {"QY9OLDX", "QY"},                          // an exact call is whole
      {"QX0ISL", "QY"},     {"QY9OLD/P", "QX"},   // suffixes do not hide the exact call
      {"N8BJQ", "K"},       {"N8BJQ/KH9", "QY"},  // the whole call's exact entry first
      {"K1ABC/KH9", "KH9"}, {"KH9/K1ABC", "KH9"},
      {"K1TEO/8", "K"},     {"PA/N8BJQ", "PA"},
      {"N8BJQ/PD", "PA"},   {"N8BJQ/P", "K"},
      {"KH6XX", "K"},  // prefixes are upper-cased
      {"ZZ1ZZ", ""},        {"", ""},
  };
  for (const auto& [call, country] : cases) {
    const CountryFile::Entity* entity = file.Lookup(call);
    EXPECT_EQ(entity != nullptr ? entity->primary_prefix : std::string(), country) << call;
  }
}

TEST(CountryFileTest, FindsPrefixesOfEveryLengthAndFirstByte) {
  // Prefixes of lengths 1 to 20 (past the lengths a lookup filters by their
  // first byte), beginning with a digit, a letter or a byte above 127.
  const std::string long_prefix = "QX1234567890ABCDEFGH";
  const std::string text = "A: 1: 2: EU: 0: 0: 0: QX:\n  QX," + long_prefix +
                           ";\nB: 1: 2: EU: 0: 0: 0: 9A:\n  9A,9,\xC4\xD6X;\n";
  const CountryFile file = CountryFile::Parse(text, "cty.dat");
  const std::pair<std::string, std::string> cases[] = {
      {long_prefix + "Z", "QX"},
      {long_prefix, "QX"},
      {"QX12", "QX"},
      {"9A1A", "9A"},
      {"9Z1A", "9A"},
      {"\xC4\xD6X1", "9A"},
      {"\xC4\xD6", ""},
      {long_prefix.substr(1), ""},
  };
  for (const auto& [call, country] : cases) {
    const CountryFile::Entity* entity = file.Lookup(call);
    EXPECT_EQ(entity != nullptr ? entity->primary_prefix : std::string(), country) << call;
  }
}

// The lookup rules out lengths by a filter over the prefixes' lengths and
// bytes: on random files and calls (no slash, so the longest prefix of the
// whole call decides) it must find what a scan of every prefix finds.
TEST(CountryFileTest, LongestPrefixAgreesWithAScanOfEveryPrefix) {
  std::mt19937 random(11);
  const std::string alphabet = "AB1\xC4";
  const auto random_text = [&](size_t min_length, size_t max_length) {
    std::string text(min_length + random() % (max_length - min_length + 1), ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  for (int round = 0; round < 100; ++round) {
    std::string text;
    std::vector<std::pair<std::string, std::string>> prefixes;  // prefix, entity
    for (int entity = 0; entity < 4; ++entity) {
      const std::string primary = "E" + std::to_string(entity);
      text += "Land: 1: 2: EU: 0: 0: 0: " + primary + ":\n  ";
      prefixes.emplace_back(primary, primary);
      const size_t count = random() % 6;
      for (size_t i = 0; i < count; ++i) {
        // Now and then a prefix longer than 256 characters.
        std::string prefix =
            random() % 20 == 0 ? std::string(300, 'A') + random_text(0, 2) : random_text(1, 5);
        text += prefix + ",";
        prefixes.emplace_back(std::move(prefix), primary);
      }
      text += primary + ";\n";
    }
    const CountryFile file = CountryFile::Parse(text, "cty.dat");
    for (int probe = 0; probe < 40; ++probe) {
      const std::string call =
          random() % 10 == 0 ? std::string(300, 'A') + random_text(0, 4) : random_text(0, 7);
      std::string expected;
      size_t best = 0;
      for (const auto& [prefix, entity] : prefixes) {
        if (prefix.size() > best && call.compare(0, prefix.size(), prefix) == 0) {
          best = prefix.size();
          expected = entity;
        }
      }
      const CountryFile::Entity* entity = file.Lookup(call, CallParts{call, {}});
      ASSERT_EQ(entity != nullptr ? entity->primary_prefix : std::string(), expected)
          << "call \"" << call << "\" in round " << round << " of:\n"
          << text;
    }
  }
}

TEST(CountryFileTest, ReportsTheLineOfWhatItCannotRead) {
  const std::pair<std::string, std::string> cases[] = {
      {"Short: 1: 2: EU: QX:\n  QX;\n", "cty.dat:1: expected an entity line of eight fields"},
      {"A: 1: 2: EU: 0: 0: 0: QX: extra\n  QX;\n", "cty.dat:1: expected an entity line"},
      {"A: 1: 2: EU: 0: 0: 0: :\n  QX;\n", "cty.dat:1: the entity has no primary prefix"},
      {"\nA: 1: 2: EU: 0: 0: 0: QX:\n  QX,\n  QW\n", "cty.dat:2: the prefix list of 'A'"},
      {"A: 1: 2: EU: 0: 0: 0: QX:\n  QX; QW\n", "cty.dat:2: text after the ';'"},
  };
  for (const auto& [text, message] : cases) {
    try {
      CountryFile::Parse(text, "cty.dat");
      ADD_FAILURE() << "no error for: " << text;
    } catch (const CountryFileError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(message, 0), 0u) << error.what();
    }
  }
}

TEST(ContactFieldsTest, DerivesPrefixCountryAndGroup) {
  const CountryFile file = CountryFile::Parse(kCountries, "cty.dat");
  struct Case {
    const CountryFile* countries;
    std::string call, log_prefix, wpx, country, group;
  };
  const Case cases[] = {
      {&file, "QX1AB", "", "QX1", "QX", "QX"},
      {&file, "QY9OLD", "", "QY9", "QX", "QX"},  // the country decides, not the prefix
      {&file, "QY0ZZ", "", "QY0", "QY0Z", "DX"},
      {&file, "N8BJQ", "", "N8", "K", "DX"},
      {&file, "ZZ1ZZ", "", "ZZ1", "", "DX"},
      {&file, "QX1AB", "QX7", "QX7", "QX", "QX"},  // the log's own prefix wins
      // Without a country file: QX or QY by the WPX prefix, else unknown.
      {nullptr, "QX1AB", "", "QX1", "QX", "QX"},
      {nullptr, "QY0ZZ", "", "QY0", "QY", "QY"},
      {nullptr, "N8BJQ/QY2", "", "QY2", "QY", "QY"},
      {nullptr, "QXFTJW", "", "QX0", "QX", "QX"},
      {nullptr, "N8BJQ", "", "N8", "", "DX"},
      {nullptr, "N8BJQ", "QX5", "QX5", "QX", "QX"},
  };
  for (const Case& c : cases) {
    const DerivedFields fields = DeriveFields(c.call, c.log_prefix, c.countries);
    EXPECT_EQ(fields.wpx, c.wpx) << c.call;
    EXPECT_EQ(fields.country, c.country) << c.call;
    EXPECT_EQ(fields.group, c.group) << c.call;
  }
}

}  // namespace
}  // namespace qxqy::logfile
