#include "logfile/log_checker.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "logfile/log_file.h"
#include "logfile/report_writers.h"
#include "tests/support/temp_dir.h"

namespace qxqy::logfile {
namespace {

using Lines = std::vector<std::string>;

class LogCheckerTest : public ::testing::Test {
 protected:
  LogCheckerTest() {
    folder_.Write("qx-qy.dom", "ALB=ALB\nBEX=BEX\nCAR=CAR\n");
    options_.plugins_folder = folder_.path().string() + "/";
  }

  // Checks a Cabrillo log whose QSO: lines are `qsos`, each
  // "freq mode time call exchange" on 2026-03-14 sent by QX1OWN.
  CheckResult Check(const Lines& qsos, const std::string& header = "CALLSIGN: QX1OWN\n") {
    std::string text = "START-OF-LOG: 3.0\n" + header;
    for (const std::string& qso : qsos) {
      std::istringstream fields(qso);
      std::string freq, mode, time, call, exchange;
      fields >> freq >> mode >> time >> call >> exchange;
      text += "QSO: " + freq + " " + mode + " 2026-03-14 " + time + " QX1OWN 599 001 " + call +
              " 599 " + exchange + "\n";
    }
    return CheckText(text + "END-OF-LOG:\n", LogFormat::kCabrillo);
  }

  // Checks the log `text`, in `format`.
  CheckResult CheckText(const std::string& text, LogFormat format) {
    text_ = text;
    ByteSource source(ByteSource::InMemory{}, text_);
    report_ = Report();
    log_ = ReadLog(source, format, report_);
    contacts_.clear();
    CheckResult result = CheckLog(log_, options_, report_, [this](const ScoredContact& c) {
      contacts_.push_back(std::to_string(c.line) + " " + std::string(c.call) + " " +
                          std::string(c.wpx) + " " + std::string(c.country) + " " +
                          std::string(c.group) + "/" + std::string(c.own_group) + " " +
                          std::to_string(c.points));
    });
    report_.SortByLine();
    return result;
  }

  Lines Findings() const {
    Lines lines;
    for (const Finding& f : report_.findings()) lines.push_back(FormatFinding("log", f));
    return lines;
  }

  qxqy::testing::TempDir folder_;
  CheckOptions options_;
  std::string text_;
  Report report_;
  ParsedLog log_;
  Lines contacts_;
};

TEST_F(LogCheckerTest, ScoresInTimeOrderKeepingFileOrderForEqualTimes) {
  const CheckResult result = Check({
      "14025 CW 1210 QY2CD BEX",  // line 3
      "14025 CW 1200 QX3EF CAR",  // line 4
      "14025 CW 1210 QX1AB ALB",  // line 5
      "14025 CW 1200 QY2CD BEX",  // line 6: earlier than line 3, so line 3 is the duplicate
  });
  EXPECT_EQ(contacts_, (Lines{"4 QX3EF QX3 QX QX/QX 1", "6 QY2CD QY2 QY QY/QX 3",
                              "3 QY2CD QY2 QY QY/QX -1", "5 QX1AB QX1 QX QX/QX 1"}));
  EXPECT_EQ(Findings(), Lines{"log:3: duplicate of line 6 (QY2CD 14 CW), not counted"});
  EXPECT_EQ(result.statistics.score_line, "Score: 5*(3+3)=30");
  EXPECT_EQ(result.scored, 3u);
  EXPECT_EQ(result.duplicates, 1u);
}

TEST_F(LogCheckerTest, NamesTheFirstContactForEveryRepeat) {
  Check({
      "14025 CW 1200 QY2CD BEX",  // line 3
      "7025 CW 1201 QY2CD BEX",   // line 4: another band
      "14200 PH 1202 QY2CD BEX",  // line 5: another mode
      "14030 CW 1203 QY2CD BEX",  // line 6: repeats 3
      "7030 CW 1204 QY2CD BEX",   // line 7: repeats 4
      "14035 CW 1205 QY2CD BEX",  // line 8: repeats 3 again
  });
  EXPECT_EQ(Findings(), (Lines{"log:6: duplicate of line 3 (QY2CD 14 CW), not counted",
                               "log:7: duplicate of line 4 (QY2CD 7 CW), not counted",
                               "log:8: duplicate of line 3 (QY2CD 14 CW), not counted"}));
}

TEST_F(LogCheckerTest, ReportsUnknownCountriesAndScoresThemAsDx) {
  const CheckResult result = Check({"14025 CW 1200 DL1XYZ 017", "14025 CW 1201 QY2CD BEX"});
  EXPECT_EQ(contacts_, (Lines{"3 DL1XYZ DL1  DX/QX 3", "4 QY2CD QY2 QY QY/QX 3"}));
  EXPECT_EQ(Findings(), Lines{"log:3: country of DL1XYZ unknown, no prefix multiplier"});
  EXPECT_EQ(result.statistics.score_line, "Score: 6*(1+1)=12");
}

TEST_F(LogCheckerTest, TakesGroupsFromOptionsBeforeTheLog) {
  options_.own_group = "DX";
  Check({"14025 CW 1200 QX1AB ALB"});
  EXPECT_EQ(contacts_, Lines{"3 QX1AB QX1 QX QX/DX 3"});
  options_.contact_group = "dx";
  Check({"14025 CW 1200 QX1AB ALB"});
  EXPECT_EQ(contacts_, Lines{"3 QX1AB QX1 QX dx/DX 1"});  // groups compare ignoring case
}

TEST_F(LogCheckerTest, ReportsALogWithoutContactsOrItsOwnCall) {
  const CheckResult result = Check({}, "");
  EXPECT_EQ(result.own_group, "DX");
  ASSERT_EQ(Findings().size(), 2u);
  EXPECT_EQ(Findings()[0], "log: no contact in the log could be scored");
  EXPECT_EQ(Findings()[1].rfind("log: the log names no own call", 0), 0u);
  EXPECT_EQ(result.statistics.score_line, "Score: 0*(0+0)=0");
}

TEST_F(LogCheckerTest, WritesTheResultAsJson) {
  const CheckResult result = Check({"14025 CW 1200 QY2CD BEX", "14030 CW 1201 QY2CD BEX"},
                                   "CALLSIGN: QX1OWN\nCLAIMED-SCORE: 9\n");
  const CheckSummary summary = SummarizeCheck("a\"b.log", log_, result, report_);
  std::ostringstream json;
  WriteJson(json, summary);
  EXPECT_EQ(json.str(),
            "{\n"
            "  \"file\": \"a\\\"b.log\",\n"
            "  \"bands\": [\n"
            "    {\"band\": \"14\", \"qsos\": 1, \"points\": 3, \"districts\": 1, "
            "\"prefixes\": 1}\n"
            "  ],\n"
            "  \"totals\": {\"qsos\": 1, \"points\": 3, \"districts\": 1, \"prefixes\": 1},\n"
            "  \"score\": 6,\n"
            "  \"score_line\": \"Score: 3*(1+1)=6\",\n"
            "  \"claimed_score\": 9,\n"
            "  \"own_group\": \"QX\",\n"
            "  \"scored\": 1,\n"
            "  \"duplicates\": 1,\n"
            "  \"report\": [\n"
            "    {\"line\": 5, \"reason\": \"duplicate of line 4 (QY2CD 14 CW), not counted\"}\n"
            "  ],\n"
            "  \"report_dropped\": 0\n"
            "}\n");
}

TEST_F(LogCheckerTest, ListsEveryBandWithContactsWarcBandsIncluded) {
  const CheckResult result = Check({"21025 CW 1200 QY2CD BEX", "10120 CW 1201 QY2CD BEX",
                                    "18100 CW 1202 QX3EF CAR", "1830 CW 1203 QX3EF CAR"});
  Lines bands;
  for (const TStatistic& band : result.bands) {
    bands.push_back(band.Band + ":" + std::to_string(band.Qsos) + "/" +
                    std::to_string(band.Points));
  }
  EXPECT_EQ(bands, (Lines{"1.8:1/1", "10:1/3", "18:1/1", "21:1/3"}));
  // The grid has no row for the WARC bands; its totals count them.
  EXPECT_EQ(result.statistics.totals[0], "4");
}

TEST_F(LogCheckerTest, ReportsAnOwnCallOfUnknownCountry) {
  // The own group becomes DX, which changes every contact's points.
  const CheckResult result = Check({"14025 CW 1200 QY2CD BEX"}, "CALLSIGN: DL1XYZ\n");
  EXPECT_EQ(result.own_group, "DX");
  EXPECT_EQ(Findings(), Lines{"log: country of the own call DL1XYZ unknown; own group taken as "
                              "DX, which changes every contact's points; give --own-group"});
  options_.own_group = "QX";  // said by the operator: nothing to report
  Check({"14025 CW 1200 QY2CD BEX"}, "CALLSIGN: DL1XYZ\n");
  EXPECT_EQ(Findings(), Lines{});
  options_.own_group.reset();
  Check({"14025 CW 1200 QY2CD BEX"}, "CALLSIGN: QY5ZZ\n");
  EXPECT_EQ(Findings(), Lines{});
}

TEST_F(LogCheckerTest, ReportsAMissingDistrictTableThatChangesTheScore) {
  const Lines qsos = {"14025 CW 1200 QY2CD BEX", "14026 CW 1201 QX3EF CAR"};
  EXPECT_EQ(Check(qsos).statistics.score_line, "Score: 4*(2+2)=16");
  EXPECT_EQ(Findings(), Lines{});
  const std::string table_file = folder_.Write("table-file", "BEX=BEX\n");
  folder_.Write("empty/x", "");
  const std::string folders[] = {folder_.path().string() + "/empty/",
                                 folder_.path().string() + "/no-such-folder/", table_file + "/"};
  for (const std::string& folder : folders) {
    options_.plugins_folder = folder;
    EXPECT_EQ(Check(qsos).statistics.score_line, "Score: 4*(0+2)=8") << folder;
    EXPECT_EQ(Findings(), Lines{"log: no district table at " + folder +
                                "qx-qy.dom: no district multipliers counted"});
  }
}

// Reference files loaded once and shared by many checks score as files
// loaded by each check; the shared tables are read, never read again.
TEST_F(LogCheckerTest, SharedReferenceTablesScoreAsTablesLoadedEachTime) {
  const Lines qsos = {"14025 CW 1200 QY2CD BEX", "14026 CW 1201 QX3EF CAR",
                      "14027 CW 1202 QX1AB ALB"};
  const std::string alone = Check(qsos).statistics.score_line;
  const Lines alone_contacts = contacts_;
  options_.reference_tables = LoadReferenceTables(options_.plugins_folder);
  for (int check = 0; check < 2; ++check) {
    EXPECT_EQ(Check(qsos).statistics.score_line, alone) << check;
    EXPECT_EQ(contacts_, alone_contacts) << check;
    // Changing the file after loading changes nothing for the shared tables.
    folder_.Write("qx-qy.dom", "ALB=ALB\n");
  }
  options_.reference_tables = nullptr;
  EXPECT_NE(Check(qsos).statistics.score_line, alone);
}

TEST_F(LogCheckerTest, ReportsALogCutOffBeforeEndOfLog) {
  CheckText(
      "START-OF-LOG: 3.0\nCALLSIGN: QX1OWN\n"
      "QSO: 14025 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX\n",
      LogFormat::kCabrillo);
  EXPECT_EQ(Findings(), Lines{"log: no END-OF-LOG: line: the log may be cut off"});
}

TEST_F(LogCheckerTest, ScoresPhoneAlikeInBothFormats) {
  // The same contacts in Cabrillo (PH) and ADIF (USB, LSB, AM): the same
  // points, and a repeat on phone is a duplicate whatever the sideband.
  CheckText(
      "START-OF-LOG: 3.0\nCALLSIGN: QX1OWN\n"
      "QSO: 14200 PH 2026-03-14 1200 QX1OWN 59 001 QY2CD 59 BEX\n"
      "QSO: 14025 DG 2026-03-14 1201 QX1OWN 599 002 QY2CD 599 BEX\n"
      "QSO: 14210 PH 2026-03-14 1202 QX1OWN 59 003 QY2CD 59 BEX\n"
      "END-OF-LOG:\n",
      LogFormat::kCabrillo);
  const Lines cabrillo_findings = Findings();
  EXPECT_EQ(cabrillo_findings, Lines{"log:5: duplicate of line 3 (QY2CD 14 SSB), not counted"});
  const std::string record =
      "<STATION_CALLSIGN:6>QX1OWN<CALL:5>QY2CD<BAND:3>20m<SRX_STRING:6>59 BEX<QSO_DATE:8>20260314";
  const std::string phones[] = {"USB", "LSB", "AM", "usb"};
  for (const std::string& phone : phones) {
    CheckText("<EOH>\n" + record + "<TIME_ON:4>1200<MODE:" + std::to_string(phone.size()) + ">" +
                  phone + "<EOR>\n" + record + "<TIME_ON:4>1201<MODE:3>FT8<EOR>\n" + record +
                  "<TIME_ON:4>1202<MODE:3>SSB<EOR>\n",
              LogFormat::kAdif);
    EXPECT_EQ(Findings(), Lines{"log:4: duplicate of line 2 (QY2CD 14 SSB), not counted"}) << phone;
  }
}

TEST_F(LogCheckerTest, EscapesControlCharactersFromTheLogInEveryMessage) {
  // An escape sequence in an ADIF call would clear the screen if printed raw.
  CheckText(
      "<EOH><STATION_CALLSIGN:6>QX1OWN<CALL:9>Q\x1B[2J\a\x9B"
      "X1<BAND:3>20m<MODE:2>CW<EOR>",
      LogFormat::kAdif);
  const CheckSummary summary = SummarizeCheck("a\x1B.log", log_, CheckResult(), report_);
  std::ostringstream text;
  WriteFindings(text, summary);
  EXPECT_EQ(text.str(),
            "a\\x1b.log:1: country of Q\\x1b[2J\\x07\\x9bX1 unknown, no prefix multiplier\n");
  std::ostringstream json;
  const CheckResult result;
  WriteJson(json, SummarizeCheck("a.log", log_, result, report_));
  EXPECT_NE(json.str().find("\"country of Q\\u001b[2J\\u0007\\u009bX1 unknown"), std::string::npos)
      << json.str();
}

TEST_F(LogCheckerTest, EscapesAControlCharacterInTheClaimedScore) {
  // A C1 control (CSI) passes the Cabrillo reader's test for binary data.
  const CheckResult result = Check({"14025 CW 1200 QY2CD BEX"},
                                   "CALLSIGN: QX1OWN\nCLAIMED-SCORE: \x9B"
                                   "2J\n");
  std::ostringstream text;
  WriteTextSummary(text, SummarizeCheck("log", log_, result, report_));
  EXPECT_NE(text.str().find("Claimed score: \\x9b2J\n"), std::string::npos) << text.str();
}

TEST_F(LogCheckerTest, WritesTheClaimedScoreAsANumberWhenItIsOne) {
  const std::pair<std::string, std::string> cases[] = {
      {"272", "272"},
      {"0", "0"},
      {"00272", "272"},
      {"1,234", "\"1,234\""},
      {"272 points", "\"272 points\""},
      {"-5", "\"-5\""},
      {"1e3", "\"1e3\""},
      {"12.5", "\"12.5\""},
      {"1234567890123456", "\"1234567890123456\""},  // beyond what a double holds exactly
  };
  for (const auto& [claim, json_value] : cases) {
    const CheckResult result =
        Check({"14025 CW 1200 QY2CD BEX"}, "CALLSIGN: QX1OWN\nCLAIMED-SCORE: " + claim + "\n");
    std::ostringstream json;
    WriteJson(json, SummarizeCheck("log", log_, result, report_));
    EXPECT_NE(json.str().find("\"claimed_score\": " + json_value + ",\n"), std::string::npos)
        << claim << " in " << json.str();
  }
}

// Scoring a selection of a checked log's contacts must give the figures of
// a check of a log that holds those contacts alone: duplicates whose first
// contact is left out then count, and multipliers move to the contacts
// that remain. The same holds with the fields the whole log's check derived
// kept for each contact, some of them not held (derived again).
TEST_F(LogCheckerTest, ScoresASelectionAsACheckOfThoseContactsAlone) {
  Check({
      "14025 CW 1200 QX3EF CAR",  // 0
      "14025 CW 1201 QY2CD BEX",  // 1
      "14025 CW 1202 QX3EF CAR",  // 2: duplicate of 0
      "7025 CW 1203 QX3EF ALB",   // 3
      "7025 PH 1204 QY2CD BEX",   // 4
      "21025 CW 1205 ZZ9ZZ ALB",  // 5: unknown country
      "14025 CW 1206 QX4GH CAR",  // 6
      "7025 CW 1207 QX3EF ALB",   // 7: duplicate of 3
  });
  const auto figures = [](const std::vector<TStatistic>& bands) {
    std::string text;
    for (const TStatistic& b : bands) {
      text += b.Band + ":" + std::to_string(b.Qsos) + "/" + std::to_string(b.Points) + "/" +
              std::to_string(b.Districts) + "/" + std::to_string(b.Prefixes) + " ";
    }
    return text;
  };
  const std::vector<std::vector<bool>> selections = {
      {true, true, true, true, true, true, true, true},
      {false, false, false, false, false, false, false, false},
      {false, true, true, true, true, true, true, true},
      {true, false, true, false, true, false, true, false},
      {false, true, false, true, false, true, false, true},
      {false, false, true, false, true, false, false, true},
  };
  std::vector<KeptFields> kept;
  Report whole_report;
  CheckLog(log_, options_, whole_report, [&](const ScoredContact& contact) {
    kept.push_back(kept.size() % 3 == 2 ? KeptFields() : KeptFields(contact.wpx, contact.country));
  });
  for (const std::vector<bool>& selection : selections) {
    ASSERT_EQ(selection.size(), log_.contacts().size());
    ParsedLog part;
    part.own_call = log_.own_call;
    for (size_t i = 0; i < selection.size(); ++i) {
      if (selection[i]) part.AddCopyOf(log_, log_.contacts()[i]);
    }
    Report report;
    const CheckResult whole = CheckLog(part, options_, report);
    const std::vector<TStatistic> selected =
        ScoreSelectedContacts(log_, options_, [&](size_t i) { return selection[i]; });
    std::string name;
    for (bool in : selection) name += in ? '1' : '0';
    EXPECT_EQ(figures(selected), figures(whole.bands)) << "selection " << name;
    const auto is_selected = [&](size_t i) { return selection[i]; };
    EXPECT_EQ(figures(ScoreSelectedContacts(log_, options_, is_selected, &kept)),
              figures(whole.bands))
        << "selection " << name << ", fields kept";
  }
}

// A report that keeps no findings (a caller that wants their number only)
// counts as many as one that keeps them all, and the figures are the same.
TEST_F(LogCheckerTest, AReportKeepingNoFindingsCountsThemAll) {
  const CheckResult kept = Check({
      "14025 CW 1200 QX3EF CAR",
      "14025 CW 1201 QX3EF CAR",  // duplicate
      "21025 CW 1202 ZZ9ZZ ALB",  // unknown country
      "21025 CW 1203 ZZ9ZZ ALB",  // unknown country and duplicate
  });
  ASSERT_GT(report_.total(), 3U);
  Report counted(0);
  const CheckResult counted_result = CheckLog(log_, options_, counted);
  EXPECT_EQ(counted.total(), report_.total());
  EXPECT_TRUE(counted.findings().empty());
  EXPECT_EQ(counted_result.duplicates, kept.duplicates);
  EXPECT_EQ(counted_result.scored, kept.scored);
}

TEST(KeptFieldsTest, HoldsFieldsOfUpToSevenCharactersBoth) {
  const KeptFields kept("QX1", "QX");
  ASSERT_TRUE(kept.held());
  EXPECT_EQ(kept.wpx(), "QX1");
  EXPECT_EQ(kept.country(), "QX");
  EXPECT_EQ(GroupOfCountry(kept.country()), "QX");
  const KeptFields unknown("ZZ9", "");
  ASSERT_TRUE(unknown.held());
  EXPECT_EQ(unknown.country(), "");
  EXPECT_EQ(GroupOfCountry(unknown.country()), "DX");
  EXPECT_TRUE(KeptFields("ABCDEFG", "1234567").held());
  EXPECT_FALSE(KeptFields("ABCDEFGH", "QX").held());
  EXPECT_FALSE(KeptFields("QX1", "12345678").held());
  EXPECT_FALSE(KeptFields().held());
  EXPECT_EQ(KeptFields().wpx(), "");
}

TEST(JsonStringTest, WritesUtf8AsItIsAndOtherBytesAsLatin1) {
  const std::pair<std::string, std::string> cases[] = {
      {"M\xC3\xBCller", "M\xC3\xBCller"},                                  // UTF-8 stays
      {"M\xFCller", "M\xC3\xBCller"},                                      // Latin-1 becomes UTF-8
      {"\xE2\x82\xAC \xF0\x9F\x93\xBB", "\xE2\x82\xAC \xF0\x9F\x93\xBB"},  // 3 and 4 bytes
      {"\xE9t\xE9", "\xC3\xA9t\xC3\xA9"},
      {"\xC3", "\xC3\x83"},                         // a cut sequence
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},             // an overlong "/"
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\\u0080"},  // a surrogate; 0x80 is a C1 control
      {"\x9B", "\\u009b"},                          // C1 controls, either way
      {"\xC2\x9B", "\\u009b"},
      {"\xC2\xA0", "\xC2\xA0"},
  };
  for (const auto& [bytes, json] : cases) {
    EXPECT_EQ(JsonString(bytes), "\"" + json + "\"") << bytes;
  }
}

TEST(ReportTest, KeepsTheFirstFindingsInFileOrderWhateverOrderTheyCameIn) {
  // The checker adds in time order after the reader's file order.
  Report report(3);
  for (uint32_t line : {50u, 9u, 8u, 7u, 40u, 2u, 30u, 1u, 2u, 60u}) {
    report.Add(line, "at " + std::to_string(line));
  }
  report.SortByLine();
  Lines kept;
  for (const Finding& f : report.findings()) kept.push_back(FormatFinding("log", f));
  EXPECT_EQ(kept, (Lines{"log:1: at 1", "log:2: at 2", "log:2: at 2"}));
  EXPECT_EQ(report.dropped(), 7u);
  EXPECT_EQ(report.total(), 10u);
  // The same over many rounds of the buffer, with equal lines kept in the
  // order they came.
  Report many(100);
  for (uint32_t i = 0; i < 1000; ++i) many.Add(1000 - i, "x" + std::to_string(i));
  for (uint32_t i = 0; i < 10; ++i) many.Add(5, "late" + std::to_string(i));
  many.SortByLine();
  ASSERT_EQ(many.findings().size(), 100u);
  EXPECT_EQ(many.findings().front().line, 1u);
  EXPECT_EQ(many.findings()[4].reason, "x995");
  EXPECT_EQ(many.findings()[5].reason, "late0");
  EXPECT_EQ(many.findings().back().line, 90u);
  EXPECT_EQ(many.dropped(), 910u);
}

TEST(JsonStringTest, EscapesWhatJsonCannotHoldAsIs) {
  EXPECT_EQ(JsonString("plain"), "\"plain\"");
  EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonString(std::string("\t\n\0\x7F", 4)), "\"\\u0009\\u000a\\u0000\\u007f\"");
}

TEST(ReportTest, KeepsABoundedNumberOfFindingsAndCountsTheRest) {
  Report report;
  for (size_t i = 0; i < Report::kMaxKept + 5; ++i) report.Add(7, "x");
  report.SortByLine();
  EXPECT_EQ(report.findings().size(), Report::kMaxKept);
  EXPECT_EQ(report.dropped(), 5u);
  EXPECT_EQ(report.total(), Report::kMaxKept + 5);
}

}  // namespace
}  // namespace qxqy::logfile
