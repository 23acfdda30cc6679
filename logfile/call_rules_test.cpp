// The call-sign rules at their edges: which one-character part is a digit,
// which suffixes are ignored, and which part is the call when there are
// many.
#include <gtest/gtest.h>

#include <string>

#include "logfile/call_parts.h"
#include "logfile/wpx_prefix.h"

namespace qxqy::logfile {
namespace {

std::string Parts(const std::string& text) {
  const CallParts parts = SplitCall(text);
  return std::string(parts.call) + "|" + std::string(parts.designator);
}

// Every digit and the character above '9' (the one below '0' is the
// slash), as a lone part on either side of a call, even a one-letter one.
TEST(CallRulesTest, ALoneDigitOnEitherSideIsTheDesignator) {
  for (char c = '0'; c <= ':'; ++c) {
    const std::string part(1, c);
    const bool digit = c >= '0' && c <= '9';
    EXPECT_EQ(Parts("Q/" + part), digit ? "Q|" + part : part + "|Q") << "Q/" << part;
    EXPECT_EQ(Parts(part + "/Q"), digit ? "Q|" + part : "Q|" + part) << part << "/Q";
    EXPECT_EQ(Parts("K1TEO/" + part), "K1TEO|" + part) << part;
    EXPECT_EQ(SplitCall("K1TEO/" + part).DesignatorIsDigit(), digit) << part;
    EXPECT_EQ(WpxPrefix("K1TEO/" + part), digit ? "K" + part : part + "0") << part;
    EXPECT_EQ(WpxPrefix("HG19ABC/" + part), digit ? "HG" + part : part + "0") << part;
  }
  EXPECT_FALSE(CallParts({"K1TEO", "/"}).DesignatorIsDigit());
  EXPECT_FALSE(CallParts({"K1TEO", "12"}).DesignatorIsDigit());
  EXPECT_FALSE(CallParts({"K1TEO", ""}).DesignatorIsDigit());
}

TEST(CallRulesTest, IgnoresExactlyTheSuffixesThatNamePlaceless) {
  const std::pair<const char*, bool> cases[] = {
      {"P", true},    {"M", true},   {"MM", true},  {"AM", true},   {"A", true},    {"E", true},
      {"J", true},    {"QRP", true}, {"PP", false}, {"MMM", false}, {"QR", false},  {"QRPP", false},
      {"AMM", false}, {"B", false},  {"p", false},  {"", false},    {"KH9", false}, {"8", false},
  };
  for (const auto& [part, ignored] : cases) {
    EXPECT_EQ(IsIgnoredSuffix(part), ignored) << part;
    if (std::string(part).empty()) continue;
    // As a part of a call: ignored, or the shorter part and so the
    // designator.
    EXPECT_EQ(Parts(std::string("N8BJQ/") + part),
              ignored ? "N8BJQ|" : "N8BJQ|" + std::string(part))
        << part;
  }
}

TEST(CallRulesTest, OfManyPartsTakesTheFirstLongestAsTheCall) {
  const std::pair<const char*, const char*> cases[] = {
      {"AB/CDE/FGH", "CDE|AB"},
      {"CDE/AB/FGH", "CDE|AB"},
      {"AB/CD/EFGH", "EFGH|AB"},
      {"EFGH/AB/CD", "EFGH|AB"},
      {"AB/CD/EF", "AB|CD"},
      {"N8BJQ/P/KH9", "N8BJQ|KH9"},
      {"P/M/N8BJQ/QRP/KH9", "N8BJQ|KH9"},
      // Eight parts are read; what follows the eighth slash is not.
      {"B/C/D/F/G/H/K/N8BJQ", "N8BJQ|B"},
      {"B/C/D/F/G/H/K/L/N8BJQ", "B|C"},
      // Empty parts and ignored ones do not count towards the eight.
      {"B//C/D/F/G/H/K/N8BJQ", "N8BJQ|B"},
      {"B/P/C/D/F/G/H/K/N8BJQ", "N8BJQ|B"},
      // Nothing but ignored parts: the text up to the first slash.
      {"P/M", "P|"},
      {"QRP/P", "QRP|"},
      {"/", "|"},
      {"//N8BJQ//", "N8BJQ|"},
  };
  for (const auto& [text, parts] : cases) EXPECT_EQ(Parts(text), parts) << text;
}

TEST(CallRulesTest, APrefixEndsAtTheLastDigitOfTheCall) {
  const std::pair<const char*, const char*> cases[] = {
      {"N8BJQ", "N8"},     {"N8BJQ9", "N8BJQ9"}, {"8N", "8"},    {"QX10", "QX10"},
      {"QX1A0B", "QX1A0"}, {"AB", "AB0"},        {"ABC", "AB0"}, {"A", "A0"},
      {"N8BJQ/KH", "KH0"}, {"N8BJQ/K0H", "K0H"}, {"Q/8", "Q8"},
  };
  for (const auto& [call, prefix] : cases) EXPECT_EQ(WpxPrefix(call), prefix) << call;
}

}  // namespace
}  // namespace qxqy::logfile
