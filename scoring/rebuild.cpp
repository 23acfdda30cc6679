#include "scoring/rebuild.h"

namespace qxqy {

std::string LogQueryText(const std::string& log_table) {
  return "Select * from " + log_table + " order by CallSign";
}

namespace {

// Reads the current row's five columns into the record, in their order.
void ReadRowInto(LogQuery& query, HostRecord& record) {
  WriteShortText(record.ReportReceived, query.FieldAsText(kReportColumn));
  WriteShortText(record.Call, query.FieldAsText(kCallColumn));
  WriteShortText(record.Band, query.FieldAsText(kBandColumn));
  WriteShortText(record.Mode, query.FieldAsText(kModeColumn));
  WriteShortText(record.Wpx, query.FieldAsText(kWpxColumn));
}

}  // namespace

void RebuildFromLog(ScoringState& state, LogQuery& query, HostRecord& record, RebuildHost& host) {
  const std::string band_before = ReadShortText(record.Band);

  host.ClearStatisticsCells();
  state.Clear();
  host.ShowDXList();

  query.Close();
  query.SetText(LogQueryText(ReadShortText(record.LogTable)));
  query.Open();

  if (!host.LetPendingMessagesRun()) return;

  while (!query.Eof()) {
    ReadRowInto(query, record);
    state.ScoreQso(/*commit=*/true);
    query.Next();
  }
  query.Close();

  WriteShortText(record.Band, band_before);
}

}  // namespace qxqy
