#include "scoring/rebuild.h"

namespace qxqy {

std::string LogQueryText(const std::string& log_table) {
  return "Select * from " + log_table + " order by CallSign";
}

namespace {

// Reads the current row's five columns into the record, in their order,
// each straight from the query's own text (no copy in between). A column
// that fails leaves the earlier ones of the row written.
void ReadRowInto(LogQuery& query, HostRecord& record) {
  WriteShortText(record.ReportReceived, query.FieldText(kReportColumn));
  WriteShortText(record.Call, query.FieldText(kCallColumn));
  WriteShortText(record.Band, query.FieldText(kBandColumn));
  WriteShortText(record.Mode, query.FieldText(kModeColumn));
  WriteShortText(record.Wpx, query.FieldText(kWpxColumn));
}

// Steps the query to the next row, then scores the row the record holds.
// The contact list's slot for the contact was asked for before, and the
// step gives the memory time to deliver it. A failing step still scores the
// row, as scoring before stepping would have.
void StepThenScore(LogQuery& query, ScoringState& state) {
  try {
    query.Next();
  } catch (...) {
    state.ScoreQso(/*commit=*/true);
    throw;
  }
  state.ScoreQso(/*commit=*/true);
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
    state.PrefetchContact();
    StepThenScore(query, state);
  }
  query.Close();

  WriteShortText(record.Band, band_before);
}

}  // namespace qxqy
