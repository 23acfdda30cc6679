#include "scoring/statistics_table.h"

#include "base/text.h"
#include "scoring/totals.h"

namespace qxqy {

int statistics_table::RowOfBand(std::string_view band) {
  for (size_t i = 0; i < kBandRows.size(); ++i) {
    if (kBandRows[i].band == band) return kFirstBandRow + static_cast<int>(i);
  }
  return 0;
}

StatisticsTable StatisticsTable::From(const StatList& stat_list) {
  using statistics_table::kFirstBandRow;
  StatisticsTable table;
  for (const TStatistic& entry : stat_list) {
    const int row = statistics_table::RowOfBand(entry.Band);
    if (row == 0) continue;
    table.bands[row - kFirstBandRow] =
        statistics_table::Figures{IntToText(entry.Qsos), IntToText(entry.Points),
                                  IntToText(entry.Districts), IntToText(entry.Prefixes)};
  }
  const ScoreTotals totals = SumStatistics(stat_list);
  table.totals = {IntToText(totals.qsos), IntToText(totals.points), IntToText(totals.districts),
                  IntToText(totals.prefixes)};
  table.score_line = "Score: " + IntToText(totals.points) + "*(" + IntToText(totals.districts) +
                     "+" + IntToText(totals.prefixes) + ")=" + IntToText(totals.Score());
  return table;
}

}  // namespace qxqy
