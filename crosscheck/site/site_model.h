// What the results site shows, filled by the contest check and read by
// WriteSite (site_writer.h). Plain data: the text fields hold bytes as they
// came from the submitted logs (the writer escapes them and reads bytes that
// are not UTF-8 as Latin-1); ranking and figures are decided before they
// get here, and the pages show them in the order given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qxqy::crosscheck::site {

// One ranked row of a category's table.
struct RankedStation {
  int64_t place = 0;
  // The row's station page: an index into SiteModel::stations, whose call is
  // the row's link text.
  size_t station = 0;
  // The log's CLAIMED-SCORE, when it gives one.
  std::optional<int64_t> claimed;
  int64_t checked_score = 0;
  int64_t contacts_credited = 0;
  // Lines that lost credit over lines checked, 0 to 1.
  double error_rate = 0.0;
};

// One category, e.g. "SINGLE-OP ALL HIGH CW", with its rows ranked.
struct Category {
  std::string title;
  std::vector<RankedStation> rows;
};

// One contact line that lost credit, as the station's report lists it.
struct LostLine {
  int64_t line = 0;  // counted from 1 in the station's file
  std::string call;
  std::string band;
  std::string mode;
  std::string time;      // as logged
  std::string decision;  // the decision word, e.g. "nil", "busted-call"
  std::string evidence;  // what the other side's log showed
  int64_t penalty = 0;   // points the line costs beyond its own
};

// The contacts one band holds in each hour of the station's hour range.
struct BandHours {
  std::string band;
  std::vector<int64_t> contacts;  // one count per hour, from the first hour
};

// Contacts per hour on each band. Every band covers the same consecutive
// hours, starting at `first_hour` ("YYYY-MM-DD HHZ", e.g. "2026-11-28 00Z");
// a band with fewer counts than another has none in the hours it lacks.
struct HourlyActivity {
  std::string first_hour;
  std::vector<BandHours> bands;
  // Contacts the counts leave out, logged outside the hours they cover (a
  // date mistyped in a log, a contact outside the contest's period).
  int64_t contacts_not_shown = 0;
};

// Everything one station's page shows.
struct StationPage {
  std::string call;
  std::string report;  // the operator's report, plain text shown as written
  std::vector<LostLine> lost_lines;
  HourlyActivity activity;
};

struct SiteModel {
  std::string contest_title;
  std::vector<Category> categories;
  std::vector<StationPage> stations;
};

}  // namespace qxqy::crosscheck::site
