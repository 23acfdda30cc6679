// The names of the hours of a station's activity chart.
#pragma once

#include <string>
#include <vector>

namespace qxqy::crosscheck::site {

struct HourLabel {
  std::string full;   // "2026-11-28 03Z", for the bar's title
  std::string hour;   // "03Z", under the axis
  std::string day;    // "28 Nov" for the first hour and each 00Z, else empty
  bool tick = false;  // labelled under the axis: every sixth hour (00Z, 06Z...)
};

// The labels of `count` consecutive hours from `first_hour`
// ("YYYY-MM-DD HHZ"), across days, months and years. When `first_hour` is
// not in that form the hours are named by their distance from it:
// "<first_hour> +3 h", with "+3 h" under the axis.
std::vector<HourLabel> HourLabels(const std::string& first_hour, size_t count);

}  // namespace qxqy::crosscheck::site
