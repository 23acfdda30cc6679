#include "logfile/cabrillo_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logfile/reader_test_support.h"

namespace qxqy::logfile {
namespace {

using testing::ReadText;
using Lines = std::vector<std::string>;

constexpr char kQso[] = "QSO: 14025 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX";

std::vector<std::string> Contacts(const std::string& text) {
  return ReadText(text, LogFormat::kCabrillo).contacts;
}
std::vector<std::string> Findings(const std::string& text) {
  return ReadText(text, LogFormat::kCabrillo).findings;
}

TEST(CabrilloReaderTest, TakesTheReceivedCallReportAndExchange) {
  EXPECT_EQ(Contacts(std::string("START-OF-LOG: 3.0\n") + kQso + "\nEND-OF-LOG:\n"),
            Lines{"2 QY2CD 14 CW [599 BEX]  20260314120000"});
}

TEST(CabrilloReaderTest, ReadsTenOrElevenFieldsAndReportsEveryOtherCount) {
  const std::string base = "QSO: 14025 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599";
  const std::pair<std::string, bool> cases[] = {
      {base, false},               // 9 fields: the exchange is missing
      {base + " BEX", true},       // 10
      {base + " BEX 1", true},     // 11: a transmitter id
      {base + " BEX 1 X", false},  // 12
      {"QSO:", false},             // none
      {base + "\tBEX", true},      // tabs separate fields too
      {"QSO:14025  CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599   BEX  ", true},
  };
  for (const auto& [line, read] : cases) {
    const auto result = ReadText(line + "\n", LogFormat::kCabrillo);
    EXPECT_EQ(result.contacts.size(), read ? 1u : 0u) << line;
    EXPECT_EQ(result.findings.size(), read ? 0u : 1u) << line;
    if (!read && !result.findings.empty()) {
      EXPECT_NE(result.findings[0].find("expected 10 or 11"), std::string::npos);
    }
  }
  // The transmitter id is never read as the exchange.
  EXPECT_EQ(Contacts(base + " BEX 1\n"), Lines{"1 QY2CD 14 CW [599 BEX]  20260314120000"});
}

TEST(CabrilloReaderTest, TakesAnEleventhFieldOnlyAsATransmitterId) {
  const std::string base = "QSO: 14025 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD";
  const std::pair<std::string, bool> cases[] = {
      {base + " 599 BEX 0", true},    {base + " 599 BEX 9", true},
      {base + " 599 001 BEX", false},  // one exchange field too many: the district is last
      {base + " 599 BEX 12", false},  {base + " 599 BEX A", false},
      {base + " 599 BEX -", false},
  };
  for (const auto& [line, read] : cases) {
    const auto result = ReadText(line + "\n", LogFormat::kCabrillo);
    EXPECT_EQ(result.contacts.size(), read ? 1u : 0u) << line;
    if (read) {
      EXPECT_TRUE(result.findings.empty()) << line;
    } else {
      ASSERT_EQ(result.findings.size(), 1u) << line;
      EXPECT_NE(result.findings[0].find("is no transmitter id (one digit): more exchange fields "
                                        "than this contest has"),
                std::string::npos)
          << result.findings[0];
    }
  }
  EXPECT_EQ(Findings(base + " 599 001 BEX\n"),
            Lines{"1: QSO line has 11 fields and the 11th, 'BEX', is no transmitter id (one "
                  "digit): more exchange fields than this contest has (rcvd-rst rcvd-exch), not "
                  "scored"});
}

TEST(CabrilloReaderTest, ReportsATagCabrilloDoesNotDefine) {
  const std::pair<std::string, std::string> cases[] = {
      // A typo loses a contact: said, not scored.
      {"QS0: 14025 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX",
       "1: unknown tag QS0: (not a Cabrillo 3.0 tag), line not scored"},
      {"CALLSING: QX1OWN", "1: unknown tag CALLSING: (not a Cabrillo 3.0 tag), line not scored"},
      {"qsoo: x", "1: unknown tag qsoo: (not a Cabrillo 3.0 tag), line not scored"},
      // The log's own tags and every tag of the format pass silently.
      {"X-MY-RIG: IC-7300", ""},
      {"x-note: hello", ""},
      {"CATEGORY-OPERATOR: SINGLE-OP", ""},
      {"category-transmitter: ONE", ""},
      {"SOAPBOX: fun", ""},
      {"OPERATORS: QX1OWN", ""},
      {"ADDRESS-STATE-PROVINCE: XX", ""},
      {"CREATED-BY: hand", ""},
  };
  for (const auto& [line, finding] : cases) {
    EXPECT_EQ(Findings(line + "\n"), finding.empty() ? Lines{} : Lines{finding}) << line;
  }
  // After END-OF-LOG: nothing but contact lines is looked at.
  EXPECT_EQ(Findings("END-OF-LOG:\nQS0: x\n"), Lines{});
}

TEST(CabrilloReaderTest, MarksALogThatDoesNotReachEndOfLog) {
  const std::pair<std::string, bool> cases[] = {
      {std::string("START-OF-LOG: 3.0\n") + kQso + "\nEND-OF-LOG:\n", false},
      {std::string("START-OF-LOG: 3.0\n") + kQso + "\nend-of-log:", false},
      {std::string("START-OF-LOG: 3.0\n") + kQso + "\n", true},  // cut off
      {std::string("START-OF-LOG: 3.0\n") + kQso + "\nX-END-OF-LOG:\n", true},
      {"", true},
  };
  for (const auto& [text, lacks] : cases) {
    ByteSource source(ByteSource::InMemory{}, text);
    Report report;
    EXPECT_EQ(ReadLog(source, LogFormat::kCabrillo, report).lacks_end_of_log, lacks) << text;
  }
  // An ADIF log has no such line.
  ByteSource adif(ByteSource::InMemory{}, "<EOH>");
  Report report;
  EXPECT_FALSE(ReadLog(adif, LogFormat::kAdif, report).lacks_end_of_log);
}

TEST(CabrilloReaderTest, SaysWhenAFrequencyLooksLikeMegahertz) {
  const std::pair<std::string, std::string> cases[] = {
      {"14.025",
       "1: frequency 14.025 kHz is outside the contest bands, not scored (it looks like "
       "MHz: Cabrillo gives kHz)"},
      {"1.830",
       "1: frequency 1.830 kHz is outside the contest bands, not scored (it looks like "
       "MHz: Cabrillo gives kHz)"},
      {"5360", "1: frequency 5360 kHz is outside the contest bands, not scored"},
      {"5.360", "1: frequency 5.360 kHz is outside the contest bands, not scored"},  // 60 m
      {"14025000", "1: frequency 14025000 kHz is outside the contest bands, not scored"},
  };
  for (const auto& [freq, finding] : cases) {
    const std::string line = "QSO: " + freq + " CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX";
    EXPECT_EQ(Findings(line + "\n"), Lines{finding}) << line;
  }
}

TEST(CabrilloReaderTest, ReportsWhatItCannotScore) {
  const std::pair<std::string, std::string> cases[] = {
      {"QSO: 5360 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX",
       "1: frequency 5360 kHz is outside the contest bands, not scored"},
      {"QSO: 14O25 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX",
       "1: cannot read the frequency '14O25' (kHz)"},
      {"QSO: 14025 SSB 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX",
       "1: unknown mode 'SSB' (CW, PH, FM, RY or DG)"},
      {"QSO: 14025 CW 2026-13-14 1200 QX1OWN 599 001 QY2CD 599 BEX",
       "1: cannot read the date and time '2026-13-14 1200' (YYYY-MM-DD hhmm)"},
      {"QSO: 14025 CW 2026-03-14 12:00 QX1OWN 599 001 QY2CD 599 BEX",
       "1: cannot read the date and time '2026-03-14 12:00' (YYYY-MM-DD hhmm)"},
      {"X-QSO: 14025 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX",
       "1: X-QSO line, listed and not scored"},
      {"just some text", "1: not a Cabrillo line (TAG: value)"},
      {std::string("QSO: 14025\0CW", 13), "1: binary data on the line, read past"},
      {std::string(kMaxCabrilloLine + 1, 'Q'), "1: line longer than 4096 characters, read past"},
  };
  for (const auto& [line, finding] : cases) {
    EXPECT_EQ(Findings(line + "\n"), Lines{finding}) << line;
  }
}

TEST(CabrilloReaderTest, FindsAControlByteWhereverItStandsAndOnlyThose) {
  // The line is checked several bytes at a time: every control byte at
  // every position (each place within a word and the tail) is found, and
  // bytes that look alike in part (a tab, 0x20, 0x7E, 0x80, 0xFF) are not.
  const std::string qso = kQso;
  for (int byte = 0; byte < 256; ++byte) {
    if (byte == '\n' || byte == '\r') continue;  // line ends
    const bool control = (byte < 0x20 && byte != '\t') || byte == 0x7F;
    if (!control && byte != '\t' && byte != 0x7E && byte != 0x80 && byte != 0xFF) continue;
    for (size_t at = 0; at < qso.size(); ++at) {
      std::string line = qso;
      line[at] = static_cast<char>(byte);
      const Lines findings = Findings(line + "\n");
      const bool binary =
          findings.size() == 1 && findings[0] == "1: binary data on the line, read past";
      ASSERT_EQ(binary, control) << "byte " << byte << " at " << at;
    }
  }
}

TEST(CabrilloReaderTest, SplitsFieldsOfEveryLengthAtEveryPlaceAndOnlyAtBlanks) {
  // Fields are split several bytes at a time: a received call and exchange
  // of every length from 1 to 20, shifted through every place within a
  // word, made of bytes that look like a blank or a tab in part (0x21, 0x1F
  // is a control byte so not used, 0x08-0x0A neither; 0x29, 0x60, 0x80,
  // 0x89, 0xA0, 0xE9, 0xFF), are taken whole between blanks and tabs.
  const std::string lookalikes = "!)`a\x80\x89\xA0\xE9\xFFz";
  const std::string separators[] = {" ", "\t", " \t ", "\t\t"};
  for (size_t length = 1; length <= 20; ++length) {
    std::string call;
    std::string exchange;
    for (size_t i = 0; i < length; ++i) {
      call += lookalikes[i % lookalikes.size()];
      exchange += lookalikes[(i + 3) % lookalikes.size()];
    }
    std::string upper_call = call;
    for (char& c : upper_call) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    for (size_t shift = 0; shift < 8; ++shift) {
      const std::string& separator = separators[(length + shift) % 4];
      const std::string line = "QSO:" + std::string(shift + 1, ' ') + "14025 CW 2026-03-14 1200" +
                               separator + "QX1OWN 599 001" + separator + call + separator + "599" +
                               separator + exchange + separator;
      EXPECT_EQ(Contacts(line + "\n"),
                Lines{"1 " + upper_call + " 14 CW [599 " + exchange + "]  20260314120000"})
          << "length " << length << ", shift " << shift;
    }
  }
}

TEST(CabrilloReaderTest, CountsLinesAcrossEveryKindOfLineEnd) {
  const std::string text = std::string("\xEF\xBB\xBFSTART-OF-LOG: 3.0\r\n") + "\r\n" + kQso + "\r" +
                           kQso + "\n" + "bad\r\n" + kQso;
  const auto result = ReadText(text, LogFormat::kCabrillo);
  EXPECT_EQ(result.contacts, (Lines{"3 QY2CD 14 CW [599 BEX]  20260314120000",
                                    "4 QY2CD 14 CW [599 BEX]  20260314120000",
                                    "6 QY2CD 14 CW [599 BEX]  20260314120000"}));
  EXPECT_EQ(result.findings, Lines{"5: not a Cabrillo line (TAG: value)"});
}

TEST(CabrilloReaderTest, ReadsTheHeaderInAnyLetterCaseAndStopsAtTheEnd) {
  // After END-OF-LOG: only contact lines are reported (not scored); mail
  // text, binary data and long lines there are not part of the log.
  const std::string text =
      std::string("start-of-log: 3.0\nCallsign: qx1own\nclaimed-score: 216\n") +
      "qso: 7010 cw 2026-03-14 1215 QX1OWN 599 005 dl1xyz 599 017\n" + "END-OF-LOG:\n" + kQso +
      "\n-- \nsent from my rig\nCALLSIGN: QY9XX\n" + std::string("\x01\x02", 2) + "\n" +
      std::string(kMaxCabrilloLine + 1, 'Q') + "\nx-qso: " + (kQso + 5) + "\n";
  const auto result = ReadText(text, LogFormat::kCabrillo);
  EXPECT_EQ(result.contacts, Lines{"4 DL1XYZ 7 CW [599 017]  20260314121500"});
  EXPECT_EQ(result.findings, (Lines{"6: QSO: line after END-OF-LOG:, not scored",
                                    "12: X-QSO: line after END-OF-LOG:, not scored"}));
  EXPECT_EQ(result.own_call, "QX1OWN");
  EXPECT_EQ(result.claimed_score, "216");
}

TEST(CabrilloReaderTest, TakesTheOwnCallFromTheFirstContactWithoutCallsign) {
  const auto result = ReadText(std::string("CLAIMED-SCORE:\n") + kQso + "\n", LogFormat::kCabrillo);
  EXPECT_EQ(result.own_call, "QX1OWN");
  EXPECT_EQ(result.claimed_score, "-");  // an empty claim is none
}

TEST(CabrilloReaderTest, CutsTextsToWhatTheHostRecordHolds) {
  const std::string call(300, 'Q');
  const auto result = ReadText(
      "QSO: 14025 CW 2026-03-14 1200 QX1OWN 599 001 " + call + " 599 BEX\n", LogFormat::kCabrillo);
  ASSERT_EQ(result.contacts.size(), 1u);
  EXPECT_EQ(result.contacts[0], "1 " + std::string(255, 'Q') + " 14 CW [599 BEX]  20260314120000");
}

}  // namespace
}  // namespace qxqy::logfile
