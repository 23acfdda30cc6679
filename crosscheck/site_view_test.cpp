// The results site filled from a checked contest: the ranked categories,
// each station's page as its report says, and contacts per hour within the
// contest's period.
#include "crosscheck/site_view.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "crosscheck/output_files.h"
#include "crosscheck/result_writers.h"
#include "tests/support/temp_dir.h"

namespace qxqy::crosscheck {
namespace {

namespace fs = std::filesystem;

std::string Log(const std::string& headers, const std::vector<std::string>& qsos) {
  std::string text = "START-OF-LOG: 3.0\n" + headers;
  for (const std::string& qso : qsos) text += "QSO: " + qso + "\n";
  return text + "END-OF-LOG:\n";
}

// QX1AA and QY2BB confirm three contacts from 12Z to 14Z; QX1AA also has a
// unique at 12Z, a unique whose date is a year off and a line QY2BB never
// logged. QY3CC's second log is set aside.
std::vector<LogInput> Contest() {
  const std::string qx1aa =
      Log("CALLSIGN: QX1AA\nCATEGORY-OPERATOR: SINGLE-OP\nCATEGORY-MODE: CW\nCLAIMED-SCORE: 480\n",
          {"14025 CW 2026-03-14 1200 QX1AA 599 AAA QY2BB 599 BBB",
           "14025 CW 2026-03-14 1230 QX1AA 599 AAA DL1XX 599 DDD",
           "21025 CW 2026-03-14 1300 QX1AA 599 AAA QY2BB 599 BBB",
           " 7025 CW 2026-03-14 1405 QX1AA 599 AAA QY2BB 599 BBB",
           "28025 CW 2026-03-14 1500 QX1AA 599 AAA QY2BB 599 BBB",
           "21025 CW 2025-03-14 0900 QX1AA 599 AAA DL2YY 599 EEE"});
  const std::string qy2bb = Log("CALLSIGN: QY2BB\nCLAIMED-SCORE: 1,234\n",
                                {"14025 CW 2026-03-14 1200 QY2BB 599 BBB QX1AA 599 AAA",
                                 "21025 CW 2026-03-14 1300 QY2BB 599 BBB QX1AA 599 AAA",
                                 " 7025 CW 2026-03-14 1405 QY2BB 599 BBB QX1AA 599 AAA"});
  const std::string qy3cc =
      Log("CALLSIGN: QY3CC\n", {"14025 CW 2026-03-14 1210 QY3CC 599 CCC QX9ZZ 599 ZZZ"});
  return {{"a.log", "", qx1aa}, {"b.log", "", qy2bb}, {"c1.log", "", qy3cc}, {"c2.log", "", qy3cc}};
}

ContestResults Check(std::vector<LogInput> inputs) {
  ContestOptions options;
  options.plugins_folder = "/nonexistent/";
  return CheckContest(std::move(inputs), options);
}

size_t LogOf(const ContestResults& results, const std::string& station) {
  for (size_t i = 0; i < results.logs.size(); ++i) {
    if (results.logs[i].station == station && results.logs[i].status == LogStatus::kChecked) {
      return i;
    }
  }
  ADD_FAILURE() << "no checked log of " << station;
  return 0;
}

TEST(ResultsSiteModel, CategoriesRankedAsTheResultsTable) {
  const ContestResults results = Check(Contest());
  std::vector<size_t> logs;
  const site::SiteModel model = ResultsSiteModel(results, logs);
  ASSERT_EQ(model.categories.size(), 2u);
  // Label order: the empty label first, as results.txt lists it.
  EXPECT_EQ(model.categories[0].title, "No category given");
  EXPECT_EQ(model.categories[1].title, "SINGLE-OP CW");
  ASSERT_EQ(model.categories[0].rows.size(), 2u);  // QY2BB and QY3CC; c2.log set aside
  ASSERT_EQ(model.stations.size(), 3u);
  ASSERT_EQ(logs.size(), 3u);
  for (const site::Category& category : model.categories) {
    for (size_t r = 0; r < category.rows.size(); ++r) {
      const site::RankedStation& row = category.rows[r];
      const LogResult& log = results.logs[logs[row.station]];
      EXPECT_EQ(row.place, static_cast<int64_t>(r + 1)) << log.station;
      EXPECT_EQ(model.stations[row.station].call, log.station);
      EXPECT_EQ(row.checked_score, log.checked_score) << log.station;
      EXPECT_EQ(row.contacts_credited, log.credited.qsos) << log.station;
      EXPECT_DOUBLE_EQ(row.error_rate, log.ErrorRate()) << log.station;
    }
    for (size_t r = 1; r < category.rows.size(); ++r) {
      EXPECT_GE(category.rows[r - 1].checked_score, category.rows[r].checked_score);
    }
  }
  const site::RankedStation& qx1aa = model.categories[1].rows[0];
  EXPECT_EQ(qx1aa.claimed, 480);
  for (const site::RankedStation& row : model.categories[0].rows) {
    // "1,234" is not a whole number; QY3CC claims nothing.
    EXPECT_EQ(row.claimed, std::nullopt) << model.stations[row.station].call;
  }
}

TEST(ResultsSiteModel, ClaimedScoresThatAreWholeNumbers) {
  const std::pair<std::string, std::optional<int64_t>> cases[] = {
      {"CLAIMED-SCORE: 480\n", 480},
      {"CLAIMED-SCORE:    0\n", 0},
      {"CLAIMED-SCORE: 9223372036854775807\n", INT64_MAX},
      {"CLAIMED-SCORE: 9223372036854775808\n", std::nullopt},
      {"CLAIMED-SCORE: 12.5\n", std::nullopt},
      {"CLAIMED-SCORE: -3\n", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [header, want] : cases) {
    const ContestResults results =
        Check({{"a.log", "",
                Log("CALLSIGN: QX1AA\n" + header,
                    {"14025 CW 2026-03-14 1200 QX1AA 599 AAA QY2BB 599 BBB"})}});
    std::vector<size_t> logs;
    const site::SiteModel model = ResultsSiteModel(results, logs);
    ASSERT_EQ(model.categories.size(), 1u) << header;
    EXPECT_EQ(model.categories[0].rows.at(0).claimed, want) << header;
  }
}

TEST(ResultsStationPage, ShowsWhatTheReportSays) {
  const ContestResults results = Check(Contest());
  const size_t log = LogOf(results, "QX1AA");
  const site::StationPage page = ResultsStationPage(results, log, ContestPeriod(results));
  std::ostringstream report;
  WriteStationReport(report, results, log);
  EXPECT_EQ(page.call, "QX1AA");
  EXPECT_EQ(page.report, report.str());
  ASSERT_EQ(page.lost_lines.size(), 1u);
  const site::LostLine& nil = page.lost_lines[0];
  EXPECT_EQ(nil.line, 10);
  EXPECT_EQ(nil.call, "QY2BB");
  EXPECT_EQ(nil.band, "28");
  EXPECT_EQ(nil.mode, "CW");
  EXPECT_EQ(nil.time, "2026-03-14 1500");
  EXPECT_EQ(nil.decision, "nil");
  EXPECT_GT(nil.penalty, 0);
  // Each lost line is one line of the report's list.
  EXPECT_NE(page.report.find("  10 QY2BB 28 CW 2026-03-14 1500: nil"), std::string::npos);
}

TEST(ResultsStationPage, ContactsPerHourWithinTheContestsPeriod) {
  const ContestResults results = Check(Contest());
  const ContestHours period = ContestPeriod(results);
  ASSERT_FALSE(period.empty);
  EXPECT_EQ(period.label, "2026-03-14 12Z");  // the confirmed lines: 12Z to 14Z
  EXPECT_EQ(period.last - period.first, 2);

  const site::HourlyActivity qx1aa =
      ResultsStationPage(results, LogOf(results, "QX1AA"), period).activity;
  EXPECT_EQ(qx1aa.first_hour, "2026-03-14 12Z");
  ASSERT_EQ(qx1aa.bands.size(), 3u);  // the nil at 15Z on 28 MHz is not credited
  EXPECT_EQ(qx1aa.bands[0].band, "7 MHz");
  EXPECT_EQ(qx1aa.bands[0].contacts, (std::vector<int64_t>{0, 0, 1}));
  EXPECT_EQ(qx1aa.bands[1].band, "14 MHz");
  EXPECT_EQ(qx1aa.bands[1].contacts, (std::vector<int64_t>{2, 0, 0}));
  EXPECT_EQ(qx1aa.bands[2].band, "21 MHz");
  EXPECT_EQ(qx1aa.bands[2].contacts, (std::vector<int64_t>{0, 1, 0}));
  EXPECT_EQ(qx1aa.contacts_not_shown, 1);  // the unique a year off

  // QY3CC's only line is a unique inside the period, at 12Z.
  const site::HourlyActivity qy3cc =
      ResultsStationPage(results, LogOf(results, "QY3CC"), period).activity;
  EXPECT_EQ(qy3cc.first_hour, "2026-03-14 12Z");
  ASSERT_EQ(qy3cc.bands.size(), 1u);
  EXPECT_EQ(qy3cc.bands[0].contacts, (std::vector<int64_t>{1}));

  // No confirmed line: the credited lines' span.
  const ContestResults single = Check({Contest()[0]});
  const ContestHours wide = ContestPeriod(single);
  EXPECT_EQ(wide.label, "2025-03-14 09Z");
  const site::HourlyActivity alone = ResultsStationPage(single, 0, wide).activity;
  EXPECT_EQ(alone.contacts_not_shown, 0);
  EXPECT_EQ(alone.bands.size(), 4u);  // every line a unique
  EXPECT_EQ(alone.first_hour, "2025-03-14 09Z");
}

TEST(WriteResultsSite, WritesEveryStationAndRemovesThoseGoneOnARerun) {
  testing::TempDir dir;
  const std::string out = dir.File("out");
  WriteResultsSite(Check(Contest()), out);
  for (const char* page : {"index.html", "style.css", "stations/QX1AA.html", "stations/QY2BB.html",
                           "stations/QY3CC.html"}) {
    EXPECT_TRUE(fs::is_regular_file(fs::path(out) / page)) << page;
  }
  std::ifstream file(fs::path(out) / "stations/QX1AA.html");
  std::stringstream html;
  html << file.rdbuf();
  EXPECT_NE(html.str().find("<title>2026-03-14 14Z: 1 contact</title>"), std::string::npos);
  EXPECT_NE(html.str().find("1 contact was logged outside these hours"), std::string::npos);

  std::vector<LogInput> fewer = Contest();
  fewer.resize(2);  // QY3CC sent nothing this time
  WriteResultsSite(Check(fewer), out);
  EXPECT_FALSE(fs::exists(fs::path(out) / "stations/QY3CC.html"));
  EXPECT_TRUE(fs::is_regular_file(fs::path(out) / "stations/QX1AA.html"));
}

std::string Read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The reports kept from the other outputs make the same pages as reports
// the site formats itself: each page shows its own station's report.
TEST(WriteResultsSite, ShowsTheReportsKeptFromTheOutputs) {
  const ContestResults results = Check(Contest());
  testing::TempDir dir;
  const fs::path kept = dir.File("kept");
  const fs::path own = dir.File("own");
  std::vector<std::string> reports;
  OutputFiles files(kept);
  AddContestOutputs(results, files, &reports);
  files.WriteAll(2, {});
  ASSERT_EQ(reports.size(), results.logs.size());
  WriteResultsSite(results, kept.string(), &reports);
  WriteResultsSite(results, own.string());
  for (const char* station : {"QX1AA", "QY2BB", "QY3CC"}) {
    const std::string page = std::string("stations/") + station + ".html";
    EXPECT_EQ(Read(kept / page), Read(own / page)) << page;
    EXPECT_EQ(reports[LogOf(results, station)],
              Read(kept / "reports" / (std::string(station) + ".txt")))
        << station;
  }
  EXPECT_TRUE(reports[3].empty());  // c2.log, set aside: no report
}

}  // namespace
}  // namespace qxqy::crosscheck
