// The site as written to disk: its files, its links, its tables and charts
// as the model gives them, hostile text kept as text, and failures to write
// reported with the file's name.
#include "crosscheck/site/site_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

#include "crosscheck/site/hour_chart.h"
#include "tests/support/temp_dir.h"

namespace qxqy::crosscheck::site {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

size_t Count(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

StationPage Station(const std::string& call) { return StationPage{call, "", {}, {}}; }

TEST(WriteSite, EmptyContestWritesAValidIndex) {
  testing::TempDir dir;
  const std::string out = dir.File("site/results");  // neither folder exists yet
  WriteSite(SiteModel{}, out);
  const std::string index = Read(fs::path(out) / "index.html");
  EXPECT_EQ(index.rfind("<!DOCTYPE html>\n<html lang=\"en\">", 0), 0u);
  EXPECT_NE(index.find("No logs were checked."), std::string::npos);
  EXPECT_NE(index.find("<title>Contest results</title>"), std::string::npos);
  EXPECT_EQ(index.substr(index.size() - 8), "</html>\n");
  EXPECT_EQ(Count(index, "<table"), 0u);
  EXPECT_TRUE(fs::is_directory(fs::path(out) / "stations"));
  EXPECT_TRUE(fs::is_regular_file(fs::path(out) / "style.css"));
}

TEST(WriteSite, RowsStayInTheOrderGivenAndLinkToTheirPages) {
  SiteModel model;
  model.contest_title = "Test contest";
  model.stations = {Station("QX1AAA"), Station("EA8/QX2BBB"), Station("QX3CCC")};
  // Given in this order, whatever the scores say.
  model.categories = {
      {"SINGLE-OP ALL HIGH CW",
       {{1, 2, 900, 1000, 10, 0.0}, {2, 0, std::nullopt, 5000, 50, 0.5}, {3, 1, 10, 20, 3, 0.25}}},
      {"CHECKLOG", {}}};
  testing::TempDir dir;
  WriteSite(model, dir.File("out"));
  const std::string index = Read(dir.path() / "out/index.html");
  const size_t first = index.find(">QX3CCC</a>");
  const size_t second = index.find(">QX1AAA</a>");
  const size_t third = index.find(">EA8/QX2BBB</a>");
  ASSERT_NE(third, std::string::npos);
  EXPECT_LT(first, second);
  EXPECT_LT(second, third);
  EXPECT_EQ(Count(index, "<tr>"), 4u);  // the header row and three stations
  EXPECT_NE(index.find("<td class=\"num\">\u2013</td>"), std::string::npos);  // nothing claimed
  EXPECT_NE(index.find("No log in this category."), std::string::npos);

  const std::regex link("href=\"(stations/[^\"]*)\"");
  size_t links = 0;
  for (auto it = std::sregex_iterator(index.begin(), index.end(), link);
       it != std::sregex_iterator(); ++it, ++links) {
    EXPECT_TRUE(fs::is_regular_file(dir.path() / "out" / (*it)[1].str())) << (*it)[1];
  }
  EXPECT_EQ(links, 3u);
  EXPECT_NE(index.find("href=\"stations/EA8-QX2BBB.html\""), std::string::npos);
  const std::string page = Read(dir.path() / "out/stations/EA8-QX2BBB.html");
  EXPECT_NE(page.find("Place 3 of 3 in <a href=\"../index.html#category-1\">"), std::string::npos);
  EXPECT_NE(page.find("href=\"../style.css\""), std::string::npos);
}

TEST(WriteSite, HostileTextFromTheLogsStaysText) {
  const std::string hostile = "<script>alert('x')</script>\"&\x01\xe9";
  StationPage station = Station(hostile);
  station.report = "line 1 </pre><script>x</script>\n";
  station.lost_lines = {{7, "</td><td>", "20m<", "CW", "0000", "nil\"", "<img src=x>", 1}};
  station.activity = {"2026-11-28 00Z", {{"<b>20m</b>", {1, 2}}}};
  SiteModel model{"</title><script>", {{"<h1>CAT", {{1, 0, 1, 1, 1, 0.0}}}}, {station}};
  testing::TempDir dir;
  WriteSite(model, dir.File("out"));
  const std::string index = Read(dir.path() / "out/index.html");
  const std::string page = Read(dir.path() / "out/stations/_script_alert__x___-script_____.html");
  for (const std::string* html : {&index, &page}) {
    EXPECT_EQ(Count(*html, "<script"), 0u);
    EXPECT_EQ(Count(*html, "<img"), 0u);
    EXPECT_EQ(Count(*html, "<b>"), 0u);
    EXPECT_EQ(Count(*html, "<h1>CAT"), 0u);
    EXPECT_NE(html->find("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;&quot;&amp;\u2401\u00e9"),
              std::string::npos);
  }
  EXPECT_EQ(Count(page, "</pre>"), 1u);
  EXPECT_NE(page.find("<td>&lt;/td&gt;&lt;td&gt;</td>"), std::string::npos);
  EXPECT_NE(page.find("<title>Contacts per hour on &lt;b&gt;20m&lt;/b&gt;: 3 contacts"),
            std::string::npos);
}

TEST(WriteSite, EveryBandHasOneSlotPerHourAndABarPerHourWithContacts) {
  StationPage station = Station("QX1ABC");
  // The longest band sets the hours; the others have none in the rest.
  station.activity = {"2026-11-28 00Z",
                      {{"80m", std::vector<int64_t>(30, 5)}, {"40m", {1, 0, 3}}, {"20m", {}}}};
  StationPage quiet = Station("QY2XYZ");
  SiteModel model{"", {{"CAT", {{1, 0, 1, 1, 1, 0.0}, {2, 1, 1, 1, 1, 0.0}}}}, {station, quiet}};
  testing::TempDir dir;
  WriteSite(model, dir.File("out"));
  const std::string page = Read(dir.path() / "out/stations/QX1ABC.html");
  struct Chart {
    const char* band;
    size_t bars;
  };
  const Chart want[] = {{"80m", 30}, {"40m", 2}, {"20m", 0}};
  size_t charts = 0;
  for (size_t at = page.find("<svg"); at != std::string::npos; at = page.find("<svg", at + 1)) {
    const std::string chart = page.substr(at, page.find("</svg>", at) - at);
    ASSERT_LT(charts, std::size(want));
    const Chart& c = want[charts++];
    // 30 slots of 12 units between the scale (40) and the margin (8).
    EXPECT_NE(chart.find("viewBox=\"0 0 408 116\""), std::string::npos) << c.band;
    EXPECT_NE(chart.find(std::string("<title>Contacts per hour on ") + c.band), std::string::npos);
    EXPECT_NE(chart.find("in 30 hours from 2026-11-28 00Z"), std::string::npos) << c.band;
    EXPECT_EQ(Count(chart, "<rect "), c.bars) << c.band;
    EXPECT_EQ(Count(chart, "<title>"), c.bars + 1) << c.band;  // the chart's and each bar's
    // The scale and the axis are drawn once and shown again.
    EXPECT_EQ(Count(chart, "<g id=\"shared-scale\">"), charts == 1 ? 1u : 0u) << c.band;
    EXPECT_EQ(Count(chart, "<use href=\"#shared-axis\"/>"), charts == 1 ? 0u : 1u) << c.band;
  }
  EXPECT_EQ(charts, 3u);
  EXPECT_NE(
      page.find("<rect x=\"389\" width=\"9\" height=\"72\"><title>2026-11-29 05Z: 5 contacts"),
      std::string::npos);
  EXPECT_NE(page.find("<rect x=\"65\" width=\"9\" height=\"43\"><title>2026-11-28 02Z: 3 contacts"),
            std::string::npos);
  EXPECT_EQ(page.find("Z: 0 contacts</title>"), std::string::npos);  // no bar for an empty hour
  EXPECT_NE(Read(dir.path() / "out/stations/QY2XYZ.html").find("No contact to show."),
            std::string::npos);
}

TEST(WriteSite, ALogSpanningYearsDrawsAMonth) {
  StationPage station = Station("QX1ABC");
  station.activity = {"2019-01-01 00Z", {{"20m", std::vector<int64_t>(60000, 0)}}};
  station.activity.bands[0].contacts[kMaxChartHours - 1] = 2;
  station.activity.bands[0].contacts.back() = 1;
  SiteModel model{"", {}, {station}};
  testing::TempDir dir;
  WriteSite(model, dir.File("out"));
  const std::string page = Read(dir.path() / "out/stations/QX1ABC.html");
  EXPECT_NE(page.find("in 744 hours from 2019-01-01 00Z"), std::string::npos);
  EXPECT_EQ(Count(page, "<rect "), 1u);  // the month's last hour; the contact after it not shown
  EXPECT_NE(page.find("2019-01-31 23Z: 2 contacts"), std::string::npos);
  EXPECT_NE(page.find("The contacts span 60,000 hours; the charts show the first 744."),
            std::string::npos);
}

TEST(WriteSite, FillCompletesEachPageInTurn) {
  SiteModel model{"",
                  {{"CAT", {{1, 1, 1, 1, 1, 0.0}, {2, 0, 1, 1, 1, 0.0}}}},
                  {Station("QX1AAA"), Station("QY2BBB")}};
  std::vector<std::string> filled;
  testing::TempDir dir;
  WriteSite(model, dir.File("out"), [&](size_t index, StationPage& page) {
    filled.push_back(std::to_string(index) + " " + page.call);
    page.report = "report of " + page.call;
  });
  EXPECT_EQ(filled, (std::vector<std::string>{"0 QX1AAA", "1 QY2BBB"}));
  EXPECT_NE(Read(dir.path() / "out/stations/QY2BBB.html").find("report of QY2BBB"),
            std::string::npos);
  EXPECT_NE(Read(dir.path() / "out/stations/QY2BBB.html").find("Place 1 of 2"), std::string::npos);
}

TEST(WriteSite, PagesRunByTheCallersJobsInAnyOrderAreTheSamePages) {
  SiteModel model{"",
                  {{"CAT", {{1, 1, 1, 1, 1, 0.0}, {2, 0, 1, 1, 1, 0.0}, {3, 0, 1, 1, 1, 0.0}}}},
                  {Station("QX1AAA"), Station("QY2BBB"), Station("QX3CCC")}};
  const auto fill = [](size_t, StationPage& page) { page.report = "report of " + page.call; };
  testing::TempDir dir;
  WriteSite(model, dir.File("in-turn"), fill);
  std::vector<size_t> run;
  WriteSite(model, dir.File("backwards"), fill,
            [&](size_t count, const std::function<void(size_t)>& job) {
              for (size_t i = count; i-- > 0;) {
                run.push_back(i);
                job(i);
              }
            });
  EXPECT_EQ(run, (std::vector<size_t>{2, 1, 0}));
  for (const char* file :
       {"index.html", "stations/QX1AAA.html", "stations/QY2BBB.html", "stations/QX3CCC.html"}) {
    EXPECT_EQ(Read(dir.path() / "backwards" / file), Read(dir.path() / "in-turn" / file)) << file;
  }
  // A job's failure reaches the caller, and no index claims a whole site.
  EXPECT_THROW(WriteSite(model, dir.File("failed"), fill,
                         [](size_t, const std::function<void(size_t)>&) {
                           throw SiteWriteError("Cannot write file x: No space left on device");
                         }),
               SiteWriteError);
  EXPECT_FALSE(fs::exists(dir.path() / "failed/index.html"));
}

TEST(WriteSite, APageWrittenOverIsCutToItsNewLength) {
  SiteModel model{"", {{"CAT", {{1, 0, 1, 1, 1, 0.0}}}}, {Station("QX1AAA")}};
  testing::TempDir dir;
  const auto report = [](std::string text) {
    return [text](size_t, StationPage& page) { page.report = text; };
  };
  WriteSite(model, dir.File("fresh"), report("short"));
  WriteSite(model, dir.File("again"), report(std::string(5000, 'x')));
  WriteSite(model, dir.File("again"), report("short"));
  EXPECT_EQ(Read(dir.path() / "again/stations/QX1AAA.html"),
            Read(dir.path() / "fresh/stations/QX1AAA.html"));
  EXPECT_EQ(Read(dir.path() / "again/index.html"), Read(dir.path() / "fresh/index.html"));
}

TEST(WriteSite, ARerunRemovesOnlyItsOwnPagesOfStationsGone) {
  testing::TempDir dir;
  const fs::path out = dir.path() / "out";
  const fs::path stations = out / "stations";
  WriteSite({"", {}, {Station("QX1AAA"), Station("QY2BBB"), Station("EA8/QX3CCC")}}, out.string());
  // What the sponsor keeps there, and pages this writer did not write.
  fs::create_directories(stations / "old");
  std::ofstream(stations / "old/QY2BBB.html") << Read(stations / "QY2BBB.html");
  std::ofstream(stations / "notes.html") << "<!DOCTYPE html><p>our notes</p>";
  std::ofstream(stations / "QY2BBB.txt") << Read(stations / "QY2BBB.html");
  std::ofstream(stations / "qx1aaa.html") << Read(stations / "QY2BBB.html");  // case only
  fs::create_symlink(stations / "QY2BBB.html", stations / "link.html");

  WriteSite({"", {}, {Station("QX1AAA")}}, out.string());
  const std::pair<const char*, bool> kept[] = {
      {"QX1AAA.html", true},     {"QY2BBB.html", false}, {"EA8-QX3CCC.html", false},
      {"old/QY2BBB.html", true}, {"notes.html", true},   {"QY2BBB.txt", true},
      {"qx1aaa.html", true},  // the same name as a page written, where case is ignored
  };
  for (const auto& [name, want] : kept) EXPECT_EQ(fs::exists(stations / name), want) << name;
  EXPECT_TRUE(fs::is_symlink(stations / "link.html"));
  EXPECT_EQ(Count(Read(out / "index.html"), "stations/"), 0u);
}

TEST(WriteSite, FailuresNameTheFileAndTheReason) {
  testing::TempDir dir;
  const std::string file = dir.Write("plain-file", "x");
  try {
    WriteSite(SiteModel{}, file + "/out");
    FAIL() << "wrote into a folder under a file";
  } catch (const SiteWriteError& error) {
    EXPECT_NE(std::string(error.what()).find("Cannot create folder " + file + "/out"),
              std::string::npos)
        << error.what();
  }

  if (fs::exists("/dev/full")) {  // a disk that is always full
    fs::create_directories(dir.path() / "full/stations");
    fs::create_symlink("/dev/full", dir.path() / "full/index.html");
    try {
      WriteSite(SiteModel{}, dir.File("full"));
      FAIL() << "a full disk was not reported";
    } catch (const SiteWriteError& error) {
      EXPECT_NE(std::string(error.what())
                    .find("Cannot write file " + dir.File("full/index.html") +
                          ": No space left on device"),
                std::string::npos)
          << error.what();
    }
  }

  // A row naming a station the model lacks: reported before anything is written.
  SiteModel broken{"", {{"CAT", {{1, 3, 1, 1, 1, 0.0}}}}, {Station("QX1ABC")}};
  try {
    WriteSite(broken, dir.File("broken"));
    FAIL() << "a row without its station was written";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(),
                 "Cannot write the results site: row 1 of category \"CAT\" names station 3, "
                 "but there are only 1 stations");
  }
  EXPECT_FALSE(fs::exists(dir.path() / "broken"));
}

}  // namespace
}  // namespace qxqy::crosscheck::site
