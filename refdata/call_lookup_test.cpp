#include "refdata/call_lookup.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/text.h"
#include "refdata/home_country.h"

namespace qxqy {
namespace {

StringList ListOf(std::vector<std::string> lines) {
  StringList list;
  list.Assign(std::move(lines));
  return list;
}

// The suggestion for `call` from `lines`, starting from "<none>" so that an
// untouched suggestion shows.
std::string Suggest(const std::vector<std::string>& lines, const std::string& call,
                    const std::string& country = "QX") {
  std::string suggestion = "<none>";
  LookupDistrict(ListOf(lines), country, call, suggestion);
  return suggestion;
}

TEST(HomeCountryTest, AdmitsQxAndQyWrittenAnyway) {
  const struct {
    const char* country;
    bool home;
  } cases[] = {
      {"QX", true},
      {"QY", true},
      {"qx", true},
      {" qY\t", true},
      {"QX:QY", true},
      {"", false},
      {"Q", false},
      {"X", false},
      {"QXA", false},
      {"QZ", false},
      {"QX QY", false},
      {":QX", false},
      {"QX\x01", true},
      // The rule is a substring test of ":QX:QY:": both together count, in
      // that order only.
      {" qx:Qy ", true},
      {"QY:QX", false},
      {"QX:", false},
      {":", false},
      {"QX:QY:", false},
      {"QX::QY", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsHomeCountry(c.country), c.home) << "country: \"" << c.country << "\"";
  }
}

// The in-place comparison against the definition itself: ":" + X + ":" in
// ":QX:QY:", X upper-cased (a to z) and trimmed, on every text of up to two
// characters and every five-character text around "QX:QY" from an alphabet
// of case variants, delimiters, blanks, control and non-ASCII bytes.
TEST(HomeCountryTest, AgreesWithTheDelimitedSubstringRule) {
  const auto rule = [](std::string_view country) {
    const std::string trimmed = UpperCase(TrimView(country));
    return !trimmed.empty() &&
           std::string_view(":QX:QY:").find(":" + trimmed + ":") != std::string_view::npos;
  };
  const std::string alphabet = std::string("QqXxYyZ: \t") + '\0' + "\x1F\xD1\xF1\xFF";
  std::vector<std::string> texts = {"", "QX:QY", "qx:qy", "QX;QY", "QY:QX", " QX:QY\x01"};
  for (char a : alphabet) {
    texts.emplace_back(1, a);
    for (char b : alphabet) {
      texts.push_back(std::string{a, b});
      texts.push_back(std::string{' ', a, b, '\t'});
      texts.push_back(std::string{a, 'x', ':', 'Q', b});
      texts.push_back(std::string{'Q', a, ':', b, 'Y'});
    }
  }
  for (const std::string& text : texts) {
    EXPECT_EQ(IsHomeCountry(text), rule(text)) << "country: \"" << text << "\"";
  }
}

TEST(LookupDistrictTest, MatchesTheTrimmedLineWhoseNameIsTheCall) {
  const struct {
    std::vector<std::string> lines;
    const char* call;
    const char* suggestion;
  } cases[] = {
      {{"QX1AB=ABC"}, "QX1AB", "ABC"},
      {{"  QX1AB=ABC \t"}, "QX1AB", "ABC"},          // the line is trimmed
      {{"QX1AB =ABC"}, "QX1AB", "<none>"},           // a blank before "=" spoils the name
      {{"QX1AB= ABC"}, "QX1AB", " ABC"},             // a blank after "=" is kept
      {{"qx1ab=ABC"}, "QX1AB", "<none>"},            // letter case matters
      {{"QX1AB/P=ABC"}, "QX1AB", "<none>"},          // a longer call does not match
      {{"QX1AB=ABC", "QX1AB=XYZ"}, "QX1AB", "XYZ"},  // the last line wins
      {{"QX1AB=ABC", "QX1AB="}, "QX1AB", ""},        // even with an empty district
      {{"QX1AB=A=B C"}, "QX1AB", "A=B C"},           // everything after the first "="
      {{"QX1AB"}, "QX1AB", "<none>"},                // no "=" never matches
      {{"=ABC"}, "", "<none>"},                      // an empty call matches nothing
      {{"A=B=C"}, "A=B", "<none>"},                  // the name ends at the first "="
      {{}, "QX1AB", "<none>"},
      {{"QX1AB=ABC", "OTHER=XYZ"}, "QX1AB", "ABC"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Suggest(c.lines, c.call), c.suggestion) << "call: \"" << c.call << "\"";
  }
}

TEST(LookupDistrictTest, SuggestsNothingOutsideTheHomeCountries) {
  const std::vector<std::string> lines = {"QX1AB=ABC"};
  EXPECT_EQ(Suggest(lines, "QX1AB", " qy "), "ABC");
  EXPECT_EQ(Suggest(lines, "QX1AB", ""), "<none>");
  EXPECT_EQ(Suggest(lines, "QX1AB", "DL"), "<none>");
}

// The algorithm as written: home-country test, then per line a substring
// test, trimming and name equality, the last match winning.
void ReferenceLookup(const std::vector<std::string>& lines, const std::string& country,
                     const std::string& call, std::string& suggestion) {
  const std::string delimited = ":" + Trim(UpperCase(country)) + ":";
  if (std::string(":QX:QY:").find(delimited) == std::string::npos) return;
  for (const std::string& line : lines) {
    if (call.empty() || line.find(call) == std::string::npos) continue;
    const std::string trimmed = Trim(line);
    const size_t equals = trimmed.find('=');
    if (equals == std::string::npos) continue;
    if (trimmed.substr(0, equals) != call) continue;
    suggestion = trimmed.substr(equals + 1);
  }
}

TEST(LookupDistrictTest, AgreesWithTheAlgorithmOnRandomLists) {
  std::mt19937 random(11);
  const std::string alphabet = "Qq1= \t";
  auto random_text = [&](size_t max_length) {
    std::string text(random() % (max_length + 1), ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  const std::string countries[] = {"QX", "qy ", "", "QZ"};
  for (int round = 0; round < 2000; ++round) {
    std::vector<std::string> lines;
    const size_t count = random() % 6;
    for (size_t i = 0; i < count; ++i) lines.push_back(random_text(7));
    const std::string call = random_text(3);
    const std::string& country = countries[random() % 4];
    std::string expected = "<none>";
    ReferenceLookup(lines, country, call, expected);
    ASSERT_EQ(Suggest(lines, call, country), expected)
        << "call \"" << call << "\" country \"" << country << "\" in round " << round;
  }
}

}  // namespace
}  // namespace qxqy
