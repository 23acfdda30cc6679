// Drives one ContestSession, without a window, the way the entry points and
// the windows do: the host's record changes field by field, contacts are
// previewed, committed and logged, the statistics are rebuilt from the log,
// districts are suggested and marked, and the session may be closed (also
// during a rebuild's pause). Beside it runs the plain ContestModel; after
// every action the engine's answer must equal the model's, and the record
// must hold what the rebuild wrote into it and nothing else.
//
// Every broken invariant aborts through QXQY_FUZZ_CHECK. An exception other
// than a rebuild's DatabaseError leaves Perform, and libFuzzer reports it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/contest_model.h"
#include "fuzz/log_database.h"
#include "fuzz/reference_folders.h"
#include "records/host_record.h"
#include "scoring/contest_observer.h"
#include "scoring/contest_session.h"

class FuzzedDataProvider;

namespace qxqy::fuzzing {

enum class EngineAction {
  kSetContact,
  kSetStation,
  kSetLogTable,
  kPreview,
  kCommit,
  kCommitAndLog,
  kCommitMany,
  kLogRow,
  kLogMany,
  kRebuild,
  kSuggest,
  kMark,
  kCloseInNextPause,
  kClose,
  kMaxValue = kClose,  // what FuzzedDataProvider::ConsumeEnum needs
};

class SessionDriver final : private ContestObserver {
 public:
  // Limits that keep every input short. Each committed contact and each
  // replayed row is one unit of work, a rebuild kRebuildWork more; the
  // action that would go beyond kMaxWork ends the input. 64 contacts grow
  // the lists' hash indexes from 16 slots to 128 and the contact buffer
  // several times; more only repeat what they did. Rows beyond kMaxLogRows
  // (what one rebuild can replay) are not logged.
  static constexpr size_t kMaxWork = 64;
  static constexpr size_t kRebuildWork = 8;
  static constexpr size_t kMaxLogRows = kMaxWork - kRebuildWork;

  // `log` must be empty; `connection` is the record's Connection handle.
  SessionDriver(LogDatabase& log, const ReferenceFolder& references, uint32_t connection);
  ~SessionDriver();
  SessionDriver(const SessionDriver&) = delete;
  SessionDriver& operator=(const SessionDriver&) = delete;

  // Performs `action` with what it needs taken from `input` and checks the
  // answers. False when the input has used up its work and should end.
  bool Perform(EngineAction action, FuzzedDataProvider& input);
  // The statistics against the model; called at the end of an input.
  void CheckStatistics() const;

 private:
  // ContestObserver
  void ShowDXList() override { ++shows_; }
  void ClearStatisticsCells() override { ++clears_; }
  void LetPendingMessagesRun() override;

  // Writes a field of the record and of written_.
  void Write(ShortText HostRecord::*field, std::string_view text);

  ModelContact Contact() const;
  ModelStation Station() const;

  void Preview();
  // Each returns false when the work budget is spent.
  bool Commit(bool log_it);
  void LogUncommittedRow(FuzzedDataProvider& input);
  bool CommitMany(FuzzedDataProvider& input);
  void LogMany(FuzzedDataProvider& input);
  bool Rebuild();
  void Suggest();
  void Mark(FuzzedDataProvider& input);
  void Close();

  // Takes `units` of work from the budget; false when there are not as many left.
  bool Spend(size_t units);

  void CheckBand(const std::string& band) const;
  // The record must equal written_: `action` wrote nothing into it.
  void CheckRecordUnchanged(const char* action) const;
  void CheckClosed() const;

  LogDatabase& log_;
  const ReferenceFolder& references_;
  HostRecord record_{};
  // The record as the driver left it: what the plug-in wrote is checked and
  // then taken over, so after every action the two must be equal.
  HostRecord written_{};
  ContestSession session_;
  ContestModel model_;
  bool closed_ = false;
  bool close_in_next_pause_ = false;
  bool close_in_this_pause_ = false;
  size_t work_ = 0;
  int shows_ = 0;
  int clears_ = 0;
  int pauses_ = 0;
};

}  // namespace qxqy::fuzzing
