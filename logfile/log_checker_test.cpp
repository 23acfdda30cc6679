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
    text_ = text + "END-OF-LOG:\n";
    ByteSource source(ByteSource::InMemory{}, text_);
    report_ = Report();
    log_ = ReadLog(source, LogFormat::kCabrillo, report_);
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
