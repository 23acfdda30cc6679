// The field rules: band edges and names, the mode map, the WPX prefix and
// which part of a call is its designator.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "logfile/band_table.h"
#include "logfile/call_parts.h"
#include "logfile/mode_map.h"
#include "logfile/wpx_prefix.h"

namespace qxqy::logfile {
namespace {

std::string LabelOfKilohertz(const std::string& khz) {
  const auto hz = ParseFrequency(khz, kKilohertz);
  if (!hz) return "unreadable";
  const auto band = BandOfHertz(*hz);
  return band ? std::string(Bands()[*band].label) : "outside";
}

TEST(BandTableTest, MapsKilohertzByInclusiveEdges) {
  const std::pair<std::string, std::string> cases[] = {
      {"1799", "outside"},
      {"1800", "1.8"},
      {"2000", "1.8"},
      {"2000.001", "outside"},
      {"3500", "3.5"},
      {"4000", "3.5"},
      {"6999.9", "outside"},
      {"7000", "7"},
      {"7300", "7"},
      {"7301", "outside"},
      {"10100", "10"},
      {"10150", "10"},
      {"10151", "outside"},
      {"14000", "14"},
      {"14350", "14"},
      {"14351", "outside"},
      {"18067", "outside"},
      {"18068", "18"},
      {"18168", "18"},
      {"21000", "21"},
      {"21450", "21"},
      {"24889", "outside"},
      {"24890", "24"},
      {"24990", "24"},
      {"28000", "28"},
      {"29700", "28"},
      {"29700.5", "outside"},
      {"5360", "outside"},
      {"50100", "outside"},
      {"14025.5", "14"},
      {"14.", "outside"},
      {"", "unreadable"},
      {"14O25", "unreadable"},
      {"-14025", "unreadable"},
      {".", "unreadable"},
      {"1.2.3", "unreadable"},
      {"99999999999999999999", "unreadable"},
  };
  for (const auto& [khz, label] : cases) EXPECT_EQ(LabelOfKilohertz(khz), label) << khz << " kHz";
}

TEST(BandTableTest, ReadsMegahertzToTheHertz) {
  EXPECT_EQ(ParseFrequency("14.025", kMegahertz), 14025000);
  EXPECT_EQ(ParseFrequency("1.8", kMegahertz), 1800000);
  EXPECT_EQ(ParseFrequency("29.7000001", kMegahertz), 29700000);  // below 1 Hz is dropped
  EXPECT_EQ(ParseFrequency(".5", kMegahertz), 500000);
  EXPECT_EQ(ParseFrequency("2000001", kMegahertz), std::nullopt);  // beyond 1 THz
}

TEST(BandTableTest, NamesEveryBandInAdifIgnoringCase) {
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"160m", "1.8"},    {"80m", "3.5"},        {"40M", "7"},         {"30m", "10"},
      {"20m", "14"},      {"17m", "18"},         {"15m", "21"},        {"12m", "24"},
      {"10m", "28"},      {"60m", std::nullopt}, {"6m", std::nullopt}, {"20", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [name, label] : cases) {
    const auto band = BandOfAdifName(name);
    EXPECT_EQ(band ? std::optional<std::string>(Bands()[*band].label) : std::nullopt, label)
        << name;
  }
}

TEST(ModeMapTest, GivesOneTextPerModeInBothFormats) {
  const std::pair<std::string, std::optional<std::string>> cabrillo[] = {
      {"CW", "CW"},  {"PH", "SSB"},         {"FM", "FM"},       {"RY", "RTTY"},       {"DG", "DIG"},
      {"ph", "SSB"}, {"SSB", std::nullopt}, {"", std::nullopt}, {"AM", std::nullopt},
  };
  for (const auto& [code, mode] : cabrillo) {
    const auto got = ModeOfCabrillo(code);
    EXPECT_EQ(got ? std::optional<std::string>(*got) : std::nullopt, mode) << "Cabrillo " << code;
  }
  const std::pair<std::string, std::optional<std::string>> adif[] = {
      {"CW", "CW"},
      {"SSB", "SSB"},
      {"FM", "FM"},
      {"RTTY", "RTTY"},
      {"rtty", "RTTY"},
      {"FT8", "DIG"},
      {"PSK", "DIG"},
      {"MFSK", "DIG"},
      {"", std::nullopt},
      // Phone written as its sideband, and AM, is Cabrillo's PH.
      {"USB", "SSB"},
      {"lsb", "SSB"},
      {"AM", "SSB"},
      {"USBX", "DIG"},
  };
  for (const auto& [name, mode] : adif) {
    const auto got = ModeOfAdif(name);
    EXPECT_EQ(got ? std::optional<std::string>(*got) : std::nullopt, mode) << "ADIF " << name;
  }
}

TEST(WpxPrefixTest, FollowsTheRuleAndItsExamples) {
  const std::pair<std::string, std::string> cases[] = {
      // The rule's own examples.
      {"N8BJQ", "N8"},
      {"WD8ABC", "WD8"},
      {"HG19ABC", "HG19"},
      {"2E0ABC", "2E0"},
      {"N8BJQ/KH9", "KH9"},
      {"KH9/N8BJQ", "KH9"},
      {"N8BJQ/NH9", "NH9"},
      {"K1TEO/8", "K8"},
      {"PA/N8BJQ", "PA0"},
      {"XEFTJW", "XE0"},
      {"OE25ABC", "OE25"},
      {"LY1000X", "LY1000"},
      // Suffixes that never count.
      {"N8BJQ/P", "N8"},
      {"N8BJQ/M", "N8"},
      {"N8BJQ/MM", "N8"},
      {"N8BJQ/AM", "N8"},
      {"N8BJQ/A", "N8"},
      {"N8BJQ/E", "N8"},
      {"N8BJQ/J", "N8"},
      {"N8BJQ/QRP", "N8"},
      // Combined with a designator, in either order.
      {"N8BJQ/KH9/P", "KH9"},
      {"PA/N8BJQ/P", "PA0"},
      {"K1TEO/8/QRP", "K8"},
      {"K1TEO/P/8", "K8"},
      // A lone digit replaces the digits that end the call's prefix.
      {"HG19ABC/5", "HG5"},
      {"2E0ABC/5", "2E5"},
      {"XEFTJW/3", "XE3"},
      // Both sides with digits: the shorter is the designator, the first
      // when both are as long.
      {"VP2E/N8BJQ", "VP2E"},
      {"N8BJQ/W9", "W9"},
      {"KH6XX/AD8", "AD8"},
      {"AD8/KH6XX", "AD8"},
      // Two whole calls: the shorter (else the first) is the designator,
      // taken as written.
      {"W1AW/K2A", "K2A"},
      {"W1AW/K2AB", "W1AW"},
      // Several slashes: the longest part is the call, the first other part
      // the designator.
      {"KH9/N8BJQ/W9", "KH9"},
      // A designator without a digit keeps all its letters before the 0.
      {"F/N8BJQ", "F0"},
      {"N8BJQ/PA", "PA0"},
      // A designator with a digit is the prefix as written, even when the
      // digit leads (9A, 3A, 9H: cut at the digit they would all be 9).
      {"9A/N8BJQ", "9A"},
      {"N8BJQ/3A", "3A"},
      {"9H/N8BJQ/P", "9H"},
      {"9A1A", "9A1"},
      {"9A1A/4", "9A4"},
      {"4U1UN", "4U1"},
      {"3D2/N8BJQ", "3D2"},
      // Degenerate texts.
      {"", ""},
      {"Q", "Q0"},
      {"/P", ""},
      {"N8BJQ//", "N8"},
  };
  for (const auto& [call, prefix] : cases) EXPECT_EQ(WpxPrefix(call), prefix) << call;
}

TEST(CallPartsTest, TellsTheCallFromTheDesignator) {
  struct Case {
    std::string text, call, designator;
  };
  const Case cases[] = {
      {"N8BJQ", "N8BJQ", ""},
      {"N8BJQ/KH9", "N8BJQ", "KH9"},
      {"KH9/N8BJQ", "N8BJQ", "KH9"},
      {"K1TEO/8", "K1TEO", "8"},
      {"8/K1TEO", "K1TEO", "8"},
      {"N8BJQ/P", "N8BJQ", ""},
      {"QRP/N8BJQ", "N8BJQ", ""},
      {"P", "P", ""},
      {"X/B/CDE/F", "CDE", "X"},
      // Without a slash the whole text is the call, even an ignored suffix.
      {"", "", ""},
      {"QRP", "QRP", ""},
      {"MM", "MM", ""},
      {"8", "8", ""},
  };
  for (const Case& c : cases) {
    const CallParts parts = SplitCall(c.text);
    EXPECT_EQ(parts.call, c.call) << c.text;
    EXPECT_EQ(parts.designator, c.designator) << c.text;
  }
}

}  // namespace
}  // namespace qxqy::logfile
