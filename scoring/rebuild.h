// The rebuild of all statistics from the host's log: the scoring state is
// emptied and every row of the log table is replayed through ScoreQso as if
// it had just been logged.
#pragma once

#include <string>

#include "base/log_query.h"
#include "records/host_record.h"
#include "scoring/scoring_state.h"

namespace qxqy {

// The columns read from every row, in the order they are read, and the
// record field each one goes into.
inline constexpr char kReportColumn[] = "QSOReportRecived";
inline constexpr char kCallColumn[] = "CallSign";
inline constexpr char kBandColumn[] = "DigiBand";
inline constexpr char kModeColumn[] = "QSOMode";
inline constexpr char kWpxColumn[] = "WPX";

// "Select * from <table> order by CallSign", the table name used as given.
std::string LogQueryText(const std::string& log_table);

// What the rebuild needs from the session that runs it.
class RebuildHost {
 public:
  // The figures shown so far no longer hold.
  virtual void ClearStatisticsCells() = 0;
  // Makes the views follow the record's band.
  virtual void ShowDXList() = 0;
  // Lets the pending window messages run once. Returns false when, during
  // that pause, the session let go of its scoring state (it was closed):
  // the rebuild then stops at once without touching the state or the query.
  virtual bool LetPendingMessagesRun() = 0;

 protected:
  ~RebuildHost() = default;
};

// Rebuilds `state` from the log table named in `record.LogTable`, reading
// the rows through `query` (closed first if open) and writing each row's
// ReportReceived, Call, Band, Mode and Wpx into `record` before scoring it.
// On success the query is closed and record.Band is put back to its value
// from before the rebuild. A database error (DatabaseError) ends the rebuild
// at once and propagates: the state keeps the rows replayed so far, the
// query stays as it was, and record.Band is not put back. A failed
// allocation (std::bad_alloc) ends it the same way; the row being scored
// then counts not at all (ScoringState::ScoreQso).
void RebuildFromLog(ScoringState& state, LogQuery& query, HostRecord& record, RebuildHost& host);

}  // namespace qxqy
