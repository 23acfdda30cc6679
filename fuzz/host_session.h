// A scripted host for the host-actions fuzzer: a small contest log in an
// in-memory SQLite database that the plug-in reads over a registered
// connection, the host's calls of the entry points, and the operator's
// clicks on the plug-in's windows. Beside the plug-in it keeps a model of
// what must hold: the set of (call, band, mode) triples the window
// remembers, and the number of error boxes shown so far.
//
// Every broken invariant aborts through QXQY_FUZZ_CHECK.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "records/host_record.h"

struct sqlite3;
struct sqlite3_stmt;
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
  // Opens the database and registers it; throws std::runtime_error when
  // SQLite fails.
  HostSession();
  // Releases the plug-in, dispatches what is pending and checks that no
  // window is left, then closes the database.
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // Performs `action`, taking what it needs (a contact, a band) from `input`,
  // and checks the invariants afterwards.
  void Perform(HostAction action, FuzzedDataProvider& input);

 private:
  using Triple = std::tuple<std::string, std::string, std::string>;

  HostRecord NextRecord(FuzzedDataProvider& input);
  void Log(const HostRecord& record);
  // The state a rebuild leaves, given the table the current record names.
  void ExpectRebuild(TfmMainForm& form);

  void Run(const HostRecord& record);
  void GetScore(const HostRecord& record);
  void AddQso(const HostRecord& record);
  void GrabNumber(const HostRecord& record);

  void CheckWindows(bool after_dispatch) const;
  void CheckItemColours(TfmDomList& window) const;

  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  uint32_t handle_ = 0;
  std::vector<Triple> logged_;
  std::set<Triple> remembered_;
  std::string current_log_table_;
  size_t expected_error_boxes_ = 0;
};

}  // namespace qxqy::fuzzing
