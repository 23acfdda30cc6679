// The fixed texts of the statistics grid and the rows the bands are shown in.
#pragma once

#include <array>
#include <string_view>

namespace qxqy::statistics_grid {

inline constexpr std::array<std::string_view, 5> kHeaderRow = {"Band", "QSOs", "Points", "QX-QY",
                                                               "WPX"};

// Rows 1 to 6: the band label shown in column 0 and the band label of the
// statistics entry whose counters the row shows.
struct BandRow {
  std::string_view title;
  std::string_view band;
};
inline constexpr std::array<BandRow, 6> kBandRows = {{
    {"160", "1.8"}, {"80", "3.5"}, {"40", "7"}, {"20", "14"}, {"15", "21"}, {"10", "28"}}};

inline constexpr int kFirstBandRow = 1;
inline constexpr int kTotalRow = 7;
inline constexpr std::string_view kTotalTitle = "Total";

// The grid row of the band labelled `band` (byte for byte), or 0 for a band
// that has no row.
inline int RowOfBand(std::string_view band) {
  for (size_t i = 0; i < kBandRows.size(); ++i) {
    if (kBandRows[i].band == band) return kFirstBandRow + static_cast<int>(i);
  }
  return 0;
}

}  // namespace qxqy::statistics_grid
