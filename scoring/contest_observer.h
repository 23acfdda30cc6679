// What a contest session tells the window that shows it. All calls come from
// inside the session's own work, on the thread that drives it.
#pragma once

namespace qxqy {

class ContestObserver {
 public:
  // The current record's band is the one to show: called after every
  // remembered contact (not for a duplicate or a preview), and once when a
  // rebuild starts, before its rows.
  virtual void ShowDXList() = 0;
  // A rebuild starts: the figures shown so far no longer hold.
  virtual void ClearStatisticsCells() = 0;
  // The rebuild's one pause, right after the log query opened: lets pending
  // window messages run once. The session may be closed meanwhile (see
  // ContestSession::Close); the rebuild then stops without touching it.
  virtual void LetPendingMessagesRun() = 0;

 protected:
  ~ContestObserver() = default;
};

}  // namespace qxqy
