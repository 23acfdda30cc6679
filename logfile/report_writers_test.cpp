// The report writers on what a check may end with: nothing at all, every
// row filled, findings dropped past the report's bound, a claimed score or
// none.
#include "logfile/report_writers.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace qxqy::logfile {
namespace {

// A grid whose every cell shows its row and column ("r0c1"), totals
// included, and whose score is 42.
StatisticsTable FilledGrid() {
  StatisticsTable table;
  for (size_t row = 0; row < table.bands.size(); ++row) {
    statistics_table::Figures figures;
    for (size_t col = 0; col < figures.size(); ++col) {
      figures[col] = "r" + std::to_string(row) + "c" + std::to_string(col);
    }
    table.bands[row] = figures;
  }
  table.totals = {"1", "2", "3", "4"};
  table.score_line = "Score: 2*(3+4)=42";
  return table;
}

TEST(ReportWritersTest, WritesEveryCellOfTheGridInItsPlace) {
  StatisticsTable table = FilledGrid();
  table.bands[2].reset();  // a band without contacts: empty cells
  std::ostringstream text;
  WriteGridText(text, table);
  EXPECT_EQ(text.str(),
            "Band\tQSOs\tPoints\tQX-QY\tWPX\n"
            "160\tr0c0\tr0c1\tr0c2\tr0c3\n"
            "80\tr1c0\tr1c1\tr1c2\tr1c3\n"
            "40\t\t\t\t\n"
            "20\tr3c0\tr3c1\tr3c2\tr3c3\n"
            "15\tr4c0\tr4c1\tr4c2\tr4c3\n"
            "10\tr5c0\tr5c1\tr5c2\tr5c3\n"
            "Total\t1\t2\t3\t4\n"
            "Score: 2*(3+4)=42\n");
  std::ostringstream csv;
  WriteGridCsv(csv, table);
  EXPECT_EQ(csv.str(),
            "Band,QSOs,Points,QX-QY,WPX\n"
            "160,r0c0,r0c1,r0c2,r0c3\n"
            "80,r1c0,r1c1,r1c2,r1c3\n"
            "40,,,,\n"
            "20,r3c0,r3c1,r3c2,r3c3\n"
            "15,r4c0,r4c1,r4c2,r4c3\n"
            "10,r5c0,r5c1,r5c2,r5c3\n"
            "Total,1,2,3,4\n");
}

TEST(ReportWritersTest, WritesAnEmptyCheckAsValidJson) {
  const StatisticsTable table{};
  const Report report;
  CheckSummary summary;
  summary.file = "empty.log";
  summary.statistics = &table;
  summary.report = &report;
  std::ostringstream json;
  WriteJson(json, summary);
  EXPECT_EQ(json.str(),
            "{\n"
            "  \"file\": \"empty.log\",\n"
            "  \"bands\": [],\n"
            "  \"totals\": {\"qsos\": , \"points\": , \"districts\": , \"prefixes\": },\n"
            "  \"score\": 0,\n"
            "  \"score_line\": \"\",\n"
            "  \"claimed_score\": null,\n"
            "  \"own_group\": \"\",\n"
            "  \"scored\": 0,\n"
            "  \"duplicates\": 0,\n"
            "  \"report\": [],\n"
            "  \"report_dropped\": 0\n"
            "}\n");
}

TEST(ReportWritersTest, ListsSeveralBandsAndFindingsAndCountsTheDropped) {
  const StatisticsTable table = FilledGrid();
  Report report;
  report.Add(0, "the log as a whole");
  for (size_t i = 1; i < Report::kMaxKept + 3; ++i) report.Add(static_cast<uint32_t>(i), "x");
  report.SortByLine();
  CheckSummary summary;
  summary.file = "big.log";
  summary.statistics = &table;
  summary.report = &report;
  summary.claimed_score = "40";
  summary.own_group = "QY";
  summary.scored = 7;
  summary.duplicates = 2;
  summary.bands = {TStatistic("7", 5, 9, 2, 1), TStatistic("14", 6, 8, 1, 0)};
  std::ostringstream json;
  WriteJson(json, summary);
  const std::string out = json.str();
  EXPECT_NE(out.find("  \"bands\": [\n"
                     "    {\"band\": \"7\", \"qsos\": 5, \"points\": 9, \"districts\": 2, "
                     "\"prefixes\": 1},\n"
                     "    {\"band\": \"14\", \"qsos\": 6, \"points\": 8, \"districts\": 1, "
                     "\"prefixes\": 0}\n"
                     "  ],\n"
                     "  \"totals\": {\"qsos\": 1, \"points\": 2, \"districts\": 3, "
                     "\"prefixes\": 4},\n"
                     "  \"score\": 42,\n"
                     "  \"score_line\": \"Score: 2*(3+4)=42\",\n"
                     "  \"claimed_score\": 40,\n"
                     "  \"own_group\": \"QY\",\n"
                     "  \"scored\": 7,\n"
                     "  \"duplicates\": 2,\n"
                     "  \"report\": [\n"
                     "    {\"line\": 0, \"reason\": \"the log as a whole\"},\n"
                     "    {\"line\": 1, \"reason\": \"x\"},\n"),
            std::string::npos)
      << out.substr(0, 800);
  EXPECT_NE(out.find("\"reason\": \"x\"}\n  ],\n  \"report_dropped\": 3\n}\n"), std::string::npos);

  std::ostringstream findings;
  WriteFindings(findings, summary);
  const std::string lines = findings.str();
  EXPECT_EQ(lines.rfind("big.log: the log as a whole\nbig.log:1: x\nbig.log:2: x\n", 0), 0u);
  EXPECT_EQ(lines.substr(lines.rfind('\n', lines.size() - 2) + 1),
            "big.log: 3 more findings not listed (listed: the first 100000 in file order)\n");

  std::ostringstream text;
  WriteTextSummary(text, summary);
  EXPECT_EQ(text.str().substr(text.str().size() - 36), "Score: 2*(3+4)=42\nClaimed score: 40\n");
  summary.claimed_score.reset();
  std::ostringstream unclaimed;
  WriteTextSummary(unclaimed, summary);
  EXPECT_EQ(unclaimed.str().find("Claimed"), std::string::npos);
}

TEST(ReportWritersTest, EscapesControlsAndReadsAByteThatIsNotUtf8AsLatin1) {
  const std::pair<std::string, std::string> cases[] = {
      {std::string(1, '\0'), "\\u0000"},
      {"\x1F", "\\u001f"},
      {" ", " "},
      {"~", "~"},
      {"\x7F", "\\u007f"},
      {"\x80", "\\u0080"},
      {"\xFF", "\xC3\xBF"},      // Latin-1 y with diaeresis, in UTF-8
      {"\xC3\xA9", "\xC3\xA9"},  // already UTF-8: kept
      {"\"", "\\\""},
      {"\\", "\\\\"},
      {"/", "/"},
  };
  for (const auto& [bytes, shown] : cases) {
    EXPECT_EQ(JsonString(bytes), "\"" + shown + "\"")
        << static_cast<int>(static_cast<unsigned char>(bytes[0]));
  }
}

TEST(ReportWritersTest, SortsFindingsByLineKeepingTheOrderOfEqualLines) {
  Report report;
  report.Add(5, "e1");
  report.Add(0, "whole");
  report.Add(2, "b");
  report.Add(5, "e2");
  report.Add(1, "a");
  report.SortByLine();
  std::string order;
  for (const Finding& finding : report.findings()) order += FormatFinding("f", finding) + "|";
  EXPECT_EQ(order, "f: whole|f:1: a|f:2: b|f:5: e1|f:5: e2|");
}

}  // namespace
}  // namespace qxqy::logfile
