// Writes a results site from a fixed model, for the browser checks
// (tests/site/browser-check.sh) before a real contest's results exist:
//   write_site_fixture SITE_DIR EXPECT_JSON
// The model holds several categories (one of them empty), a hostile call,
// calls with '/', and a station active for 30 hours on four bands.
// EXPECT_JSON says what the pages must show: the rows of each category's
// table, in order, and for each station page named there its bands and
// hours.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "crosscheck/site/hour_chart.h"
#include "crosscheck/site/page_names.h"
#include "crosscheck/site/site_model.h"
#include "crosscheck/site/site_writer.h"

namespace site = qxqy::crosscheck::site;

namespace {

// A day of contest activity: a slow start, a peak in the afternoon, quiet
// hours at night, varied by band and station so the bars differ.
site::HourlyActivity Activity(int hours, int seed, const std::vector<std::string>& bands) {
  site::HourlyActivity activity{"2026-11-28 00Z", {}};
  for (size_t b = 0; b < bands.size(); ++b) {
    site::BandHours band{bands[b], {}};
    for (int hour = 0; hour < hours; ++hour) {
      const int day_hour = hour % 24;
      const bool daylight = day_hour >= 7 && day_hour <= 18;
      const bool low_band = bands[b] == "160m" || bands[b] == "80m";
      int count = ((hour * 7 + seed * 13 + static_cast<int>(b) * 5) % 11) + 2;
      count += (daylight != low_band) ? 14 + (day_hour % 5) * 2 : 0;
      if ((hour + seed + static_cast<int>(b)) % 9 == 0) count = 0;  // off the air
      band.contacts.push_back(count);
    }
    activity.bands.push_back(band);
  }
  return activity;
}

site::StationPage Station(const std::string& call, int hours, int seed) {
  site::StationPage page;
  page.call = call;
  page.activity = Activity(hours, seed, {"80m", "40m", "20m"});
  page.report =
      call + ": 412 contact lines, 398 credited, score checked 101,475 (claimed 104,880)\n";
  return page;
}

site::SiteModel Model() {
  site::SiteModel model;
  model.contest_title = "QX-QY DX Contest 2026 \u2013 Results";

  site::StationPage main_station;
  main_station.call = "QX1ABC";
  main_station.activity = Activity(30, 1, {"160m", "80m", "40m", "20m"});
  main_station.report =
      "Station        QX1ABC\n"
      "Category       SINGLE-OP ALL HIGH CW\n"
      "File           qx1abc.log\n"
      "Clock offset   +1 min (47 matches)\n"
      "\n"
      "                 Claimed     Raw   Checked\n"
      "Contacts             -     1,248     1,231\n"
      "Score          1,412,640 1,409,876 1,356,288\n"
      "\n"
      "Lines that lost credit\n"
      "  line  212  QY2XYZ   20m CW 2026-11-28 0412  nil           QY2XYZ has no such contact\n"
      "  line  640  QX3KLM   40m CW 2026-11-28 1130  busted-call   QX3KLN logged you then\n"
      "\n"
      "Stations that logged you but are not in your log: QY9AA, QX5RR\n"
      "Stations that logged your call busted: QY4ZZ (as QX1ABD)\n";
  main_station.lost_lines = {
      {212, "QY2XYZ", "20m", "CW", "2026-11-28 0412", "nil", "QY2XYZ's log has no such contact", 3},
      {388, "QX7PQ", "40m", "CW", "2026-11-28 0701", "busted-exchange", "QX7PQ sent 14", 0},
      {640, "QX3KLM", "40m", "CW", "2026-11-28 1130", "busted-call", "QX3KLN", 2},
      {701, "QY5AB", "20m", "CW", "2026-11-28 1302", "band-or-mode",
       "QY5AB logged you on 40m at 1303", 0},
      {905, "QY8XX", "80m", "CW", "2026-11-28 2208", "nil-their-bust", "QY8XX logged QX1ABD", 0},
      {1017, "QX1ZZZ", "160m", "CW", "2026-11-29 0144", "dupe", "", 0},
      {1102, "QX9<b>", "40m", "CW", "2026-11-29 0350", "not-scored",
       "the call holds <b> & \"quotes\"", 0},
  };

  site::StationPage hostile = Station("<script>alert('x')</script>&\x01\xe9", 12, 4);
  hostile.lost_lines = {{3, "</td><td>", "20m", "SSB", "2026-11-28 0101", "nil",
                         "<img src=x onerror=alert(1)> \xff\xfe", 1}};

  model.stations = {main_station,                  // 0
                    Station("QY2XYZ", 26, 2),      // 1
                    Station("EA8/QX4GHI", 20, 3),  // 2
                    hostile,                       // 3
                    Station("QX5RR", 24, 5),       // 4
                    Station("QY9AA/4", 18, 6),     // 5
                    Station("QX7PQ", 22, 7),       // 6
                    Station("QY3DEF", 16, 8),      // 7
                    Station("QX8MM", 10, 9),       // 8
                    Station("QY4ZZ", 14, 10)};     // 9

  model.categories = {
      {"SINGLE-OP ALL HIGH CW",
       {{1, 0, 1412640, 1356288, 1231, 0.0136},
        {2, 1, 1290000, 1187400, 1104, 0.0221},
        {3, 2, std::nullopt, 1034520, 987, 0.0095},
        {4, 4, 802000, 745962, 802, 0.0412},
        {5, 6, 310500, 301240, 455, 0.0}}},
      {"SINGLE-OP 20M LOW SSB", {{1, 7, 98000, 96012, 312, 0.0064}, {2, 3, 54000, 12, 40, 0.625}}},
      {"MULTI-ONE ALL HIGH MIXED",
       {{1, 5, 2104400, 2056300, 2210, 0.0187}, {2, 9, 1000, 980, 21, 0.0476}}},
      {"SINGLE-OP ALL LOW CW ASSISTED", {}},
      {"CHECKLOG", {{1, 8, std::nullopt, 0, 0, 0.0}}},
  };
  return model;
}

// The expectations as JSON; the fixture's names and bands need no escaping
// except the hostile page, which is not listed.
std::string Expectations(const site::SiteModel& model) {
  const std::vector<std::string> names = site::StationPageNames(model.stations);
  std::string json = "{\n  \"category_rows\": [";
  for (size_t i = 0; i < model.categories.size(); ++i) {
    json += (i > 0 ? ", " : "") + std::to_string(model.categories[i].rows.size());
  }
  json += "],\n  \"station_pages\": {";
  const size_t listed[] = {0, 2};
  for (size_t i = 0; i < std::size(listed); ++i) {
    const site::StationPage& page = model.stations[listed[i]];
    json += std::string(i > 0 ? "," : "") + "\n    \"stations/" + names[listed[i]] +
            "\": {\"bands\": " + std::to_string(page.activity.bands.size()) +
            ", \"hours\": " + std::to_string(site::ChartHours(page.activity)) +
            ", \"lost_lines\": " + std::to_string(page.lost_lines.size()) + "}";
  }
  return json + "\n  }\n}\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    (void)std::fprintf(stderr, "usage: write_site_fixture SITE_DIR EXPECT_JSON\n");
    return 2;
  }
  try {
    const site::SiteModel model = Model();
    site::WriteSite(model, argv[1]);
    std::ofstream expect(argv[2], std::ios::binary);
    expect << Expectations(model);
    if (!expect.flush()) {
      (void)std::fprintf(stderr, "write_site_fixture: cannot write %s\n", argv[2]);
      return 2;
    }
  } catch (const std::exception& error) {
    (void)std::fprintf(stderr, "write_site_fixture: %s\n", error.what());
    return 2;
  }
  return 0;
}
