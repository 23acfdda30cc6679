// The Cabrillo reader at its edges: which characters make a tag, the
// longest line, blanks around tags and values, and mode codes in any case.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logfile/cabrillo_reader.h"
#include "logfile/reader_test_support.h"

namespace qxqy::logfile {
namespace {

using testing::ReadText;
using Lines = std::vector<std::string>;

constexpr char kQso[] = "QSO: 14025 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX";
constexpr char kContact[] = "1 QY2CD 14 CW [599 BEX]  20260314120000";

TEST(CabrilloRulesTest, MakesTagsOfLettersDigitsAndHyphensOnly) {
  // Each character next to the ends of A-Z, a-z and 0-9, and a few more.
  const std::pair<char, bool> cases[] = {
      {'@', false}, {'A', true},  {'Z', true},  {'[', false}, {'`', false},  {'a', true},
      {'z', true},  {'{', false}, {'/', false}, {'0', true},  {'9', true},   {'-', true},
      {',', false}, {'.', false}, {'_', false}, {' ', false}, {'\t', false},
  };
  for (const auto& [c, tag] : cases) {
    // An X- tag: a tag the format leaves to programs, so a valid one is silent.
    const std::string line = std::string("X-") + c + "Y: anything";
    const Lines findings = ReadText(line + "\n", LogFormat::kCabrillo).findings;
    EXPECT_EQ(findings, tag ? Lines{} : Lines{"1: not a Cabrillo line (TAG: value)"})
        << "'" << c << "'";
  }
  EXPECT_EQ(ReadText(": value\n", LogFormat::kCabrillo).findings,
            Lines{"1: not a Cabrillo line (TAG: value)"});
  EXPECT_EQ(ReadText("QSO 14025\n", LogFormat::kCabrillo).findings,
            Lines{"1: not a Cabrillo line (TAG: value)"});
}

TEST(CabrilloRulesTest, ReadsATagOnlyBeforeItsColon) {
  // A line named like a tag but without its colon is no header line: it is
  // reported and changes nothing (the log is not ended, no call is taken).
  const auto result =
      ReadText(std::string("CALLSIGN\nEND-OF-LOG\n") + kQso + "\n" + "CLAIMED-SCORE 99\n",
               LogFormat::kCabrillo);
  EXPECT_EQ(result.findings,
            (Lines{"1: not a Cabrillo line (TAG: value)", "2: not a Cabrillo line (TAG: value)",
                   "4: not a Cabrillo line (TAG: value)"}));
  EXPECT_EQ(result.contacts, Lines{"3 QY2CD 14 CW [599 BEX]  20260314120000"});
  EXPECT_EQ(result.own_call, "QX1OWN");
  EXPECT_EQ(result.claimed_score, "-");
}

TEST(CabrilloRulesTest, TakesOnlyAWholeByteOrderMark) {
  // The first bytes of a mark without the rest are text of the first line.
  for (const std::string part : {"\xEF", "\xEF\xBB"}) {
    const auto result = ReadText(part + kQso + "\n" + kQso + "\n", LogFormat::kCabrillo);
    EXPECT_EQ(result.findings, Lines{"1: not a Cabrillo line (TAG: value)"}) << part.size();
    EXPECT_EQ(result.contacts, Lines{"2 QY2CD 14 CW [599 BEX]  20260314120000"}) << part.size();
  }
  const auto whole = ReadText(std::string("\xEF\xBB\xBF") + kQso + "\n", LogFormat::kCabrillo);
  EXPECT_EQ(whole.contacts, Lines{kContact});
  EXPECT_EQ(ReadText("\xEF\xBB", LogFormat::kCabrillo).findings,
            Lines{"1: not a Cabrillo line (TAG: value)"});
}

TEST(CabrilloRulesTest, ReadsALineOfTheLongestLengthAndNoLonger) {
  const std::string qso = kQso;
  const std::string longest = qso + std::string(kMaxCabrilloLine - qso.size(), ' ');
  const auto result = ReadText(longest + "\n" + longest + "x\n", LogFormat::kCabrillo);
  EXPECT_EQ(result.contacts, Lines{kContact});
  EXPECT_EQ(result.findings, Lines{"2: line longer than 4096 characters, read past"});
}

TEST(CabrilloRulesTest, TrimsBlanksAroundTagsAndValues) {
  const std::pair<std::string, std::string> cases[] = {
      {"CALLSIGN: qx1own", "QX1OWN"},
      {"CALLSIGN:qx1own", "QX1OWN"},
      {"  CALLSIGN:\tqx1own \t", "QX1OWN"},
      {"\tcallsign:  QX1OWN", "QX1OWN"},
      {"CALLSIGN :QX1OWN", ""},
      {"CALLSIGN:", ""},
  };
  for (const auto& [line, own_call] : cases) {
    EXPECT_EQ(ReadText(line + "\n", LogFormat::kCabrillo).own_call, own_call) << line;
  }
  EXPECT_EQ(ReadText("CLAIMED-SCORE:  1,234 \t\n", LogFormat::kCabrillo).claimed_score, "1,234");
  EXPECT_EQ(ReadText("CLAIMED-SCORE: \t\n", LogFormat::kCabrillo).claimed_score, "-");
  EXPECT_EQ(ReadText("  " + std::string(kQso) + " \t\n", LogFormat::kCabrillo).contacts,
            Lines{kContact});
  EXPECT_EQ(ReadText(" \t \n\n", LogFormat::kCabrillo).findings, Lines{});
}

TEST(CabrilloRulesTest, ReadsEveryModeCodeInAnyCase) {
  const std::pair<const char*, const char*> cases[] = {
      {"CW", "CW"}, {"cw", "CW"}, {"Ph", "SSB"}, {"fm", "FM"}, {"rY", "RTTY"}, {"dg", "DIG"},
  };
  for (const auto& [code, mode] : cases) {
    const auto result = ReadText(
        std::string("QSO: 14025 ") + code + " 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX\n",
        LogFormat::kCabrillo);
    EXPECT_EQ(result.contacts,
              Lines{std::string("1 QY2CD 14 ") + mode + " [599 BEX]  20260314120000"})
        << code;
  }
}

TEST(CabrilloRulesTest, ScoresNoLineItReports) {
  const char* const lines[] = {
      "QSO: 5360 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX",
      "QSO: 14O25 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX",
      "QSO: 14025 SSB 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX",
      "QSO: 14025 CW 2026-02-29 1200 QX1OWN 599 001 QY2CD 599 BEX",
      "QSO: 14025 CW 2026-03-14 2400 QX1OWN 599 001 QY2CD 599 BEX",
      "QSO: 14025 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599",
      "X-QSO: 14025 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX",
      "QSO 14025 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX",
  };
  for (const char* line : lines) {
    const auto result = ReadText(std::string(line) + "\n" + kQso + "\n", LogFormat::kCabrillo);
    EXPECT_EQ(result.contacts, Lines{"2 QY2CD 14 CW [599 BEX]  20260314120000"}) << line;
    EXPECT_EQ(result.findings.size(), 1u) << line;
  }
}

}  // namespace
}  // namespace qxqy::logfile
