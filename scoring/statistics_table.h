// The statistics table as the main window shows it: 8 rows of 5 cells (a
// heading row, six band rows, the totals row) and the score line beneath.
// The fixed texts are constants; the figures are computed from the per-band
// statistics by StatisticsTable::From.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "scoring/stat_list.h"

namespace qxqy::statistics_table {

inline constexpr int kColumns = 5;
inline constexpr int kRows = 8;

inline constexpr std::array<std::string_view, kColumns> kHeaderRow = {"Band", "QSOs", "Points",
                                                                      "QX-QY", "WPX"};

// Rows 1 to 6: the band label shown in column 0 and the band label of the
// statistics entry whose counters the row shows.
struct BandRow {
  std::string_view title;
  std::string_view band;
};
inline constexpr std::array<BandRow, 6> kBandRows = {
    {{"160", "1.8"}, {"80", "3.5"}, {"40", "7"}, {"20", "14"}, {"15", "21"}, {"10", "28"}}};

inline constexpr int kFirstBandRow = 1;
inline constexpr int kTotalRow = 7;
inline constexpr std::string_view kTotalTitle = "Total";

// The grid row of the band labelled `band` (byte for byte), or 0 for a band
// that has no row.
int RowOfBand(std::string_view band);

// The four figures of a row, as decimal text: contacts, points, district
// multipliers, prefix multipliers.
using Figures = std::array<std::string, kColumns - 1>;

}  // namespace qxqy::statistics_table

namespace qxqy {

// The figures the statistics show. A band row is written only when its band
// has a statistics entry (the window never clears a cell when it shows the
// statistics, so a row without an entry keeps what it showed).
struct StatisticsTable {
  std::array<std::optional<statistics_table::Figures>, statistics_table::kBandRows.size()> bands;
  statistics_table::Figures totals;
  // "Score: P*(D+W)=S"
  std::string score_line;

  static StatisticsTable From(const StatList& stat_list);
};

}  // namespace qxqy
