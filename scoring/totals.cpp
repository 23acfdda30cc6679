#include "scoring/totals.h"

namespace qxqy {

ScoreTotals SumStatistics(const StatList& stat_list) {
  ScoreTotals totals;
  for (const TStatistic& entry : stat_list) {
    totals.qsos += entry.Qsos;
    totals.points += entry.Points;
    totals.districts += entry.Districts;
    totals.prefixes += entry.Prefixes;
  }
  return totals;
}

}  // namespace qxqy
