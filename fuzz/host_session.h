// A scripted host for the host-actions fuzzer: a small contest log in the
// process's in-memory SQLite database (emptied when the session starts),
// the host's calls of the entry points, and the operator's clicks on the
// plug-in's windows. Beside the plug-in it keeps a model of what must hold:
// the set of (call, band, mode) triples the window remembers, and the error
// boxes each action must show.
//
// It also folds everything the host and the operator could see (scores,
// suggestions, the statistics grid and score line, error messages, the
// multiplier window's band and marks) into a digest, so that a run of many
// inputs in one process can be compared with each input run alone: equal
// digests show that no input's outcome depends on the inputs before it. Window handles are left
// out; the headless backend numbers them on across inputs and nothing depends on their value.
//
// Every broken invariant aborts through QXQY_FUZZ_CHECK.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "fuzz/log_database.h"
#include "records/host_record.h"

class FuzzedDataProvider;

namespace qxqy {
class TfmMainForm;
class TfmDomList;
}  // namespace qxqy

namespace qxqy::fuzzing {

enum class HostAction {
  kRun,
  kGetScore,
  kAddQso,
  kGrabNumber,
  kRelease,
  kPumpMessages,
  kRecalc,
  kDistrict,
  kCloseBox,
  kClose,
  kBandClick,
  kCloseMultiplierWindow,
  kMaxValue = kCloseMultiplierWindow,  // what FuzzedDataProvider::ConsumeEnum needs
};

class HostSession {
 public:
  // Every rebuild replays the whole log, so an input could cost seconds;
  // the action that would take the work beyond kMaxWork (a replayed row is
  // one unit, a new window kWindowWork, a rebuild kRebuildWork more) ends
  // the input instead.
  static constexpr size_t kMaxWork = 160;
  static constexpr size_t kWindowWork = 60;
  static constexpr size_t kRebuildWork = 16;

  // Empties `log`, which the session's records name as their connection.
  explicit HostSession(LogDatabase& log);
  // Releases the plug-in, dispatches what is pending and checks that no
  // window is left.
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // Performs `action`, taking what it needs (a contact, a band) from `input`,
  // and checks the invariants afterwards. False when the input has used up
  // its work and should end (the action was not performed).
  bool Perform(HostAction action, FuzzedDataProvider& input);

  // FNV-1a over everything observed so far.
  uint64_t Digest() const { return digest_; }

 private:
  using Triple = std::tuple<std::string, std::string, std::string>;

  HostRecord NextRecord(FuzzedDataProvider& input);
  void Log(const HostRecord& record);
  // The state a rebuild leaves, given the table the current record names.
  void ExpectRebuild(TfmMainForm& form);

  // False when the work budget is spent.
  bool Run(const HostRecord& record);
  bool Recalc(TfmMainForm& form);
  void GetScore(const HostRecord& record);
  void AddQso(const HostRecord& record);
  void GrabNumber(const HostRecord& record);

  // Takes `units` from the budget; false when there are not as many left.
  bool Spend(size_t units);
  void ObserveFigures(const TfmMainForm& form);
  void Observe(std::string_view text);

  // The marks are a state: checking them after the actions that can change
  // the keys, the band, the window or the lists it reads (ChangesMarks)
  // finds every wrong one, at a fraction of the cost of checking after every
  // action.
  static bool ChangesMarks(HostAction action);
  void CheckWindows(bool after_dispatch, bool check_marks, bool only_adds_keys = false);
  void CheckItemColours(TfmDomList& window);

  // What the marks were last checked against. AddQSO only adds keys and a
  // band click only changes the band: after either, marks whose window, key
  // count, band and items are as they were last time are checked already.
  struct MarksBasis {
    const TfmDomList* window = nullptr;
    size_t district_keys = 0;
    std::string band;
    int items = 0;
    bool operator==(const MarksBasis& other) const {
      return window == other.window && district_keys == other.district_keys && band == other.band &&
             items == other.items;
    }
  };
  static MarksBasis BasisOf(const TfmDomList& window);
  std::optional<MarksBasis> marks_checked_against_;

  LogDatabase& log_;
  std::vector<Triple> logged_;
  std::set<Triple> remembered_;
  std::string current_log_table_;
  // Error boxes the current action must show.
  size_t expected_error_boxes_ = 0;
  size_t work_ = 0;
  uint64_t digest_ = 0xCBF29CE484222325ull;
};

}  // namespace qxqy::fuzzing
