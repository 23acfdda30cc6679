// Memory running out inside each entry point, at every allocation it makes
// in turn (allocation_fault.h), with the entry point called through the
// export barrier as the DLL's exports call it. Nothing escapes the barrier;
// the operator reads "Out of memory" at most once and nothing else (nothing
// from _Release); the contest is left whole, a contact counted entirely or
// not at all; and afterwards the module still releases every window and a
// new start counts the whole log.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Plugin/export_barrier.h"
#include "Plugin/testing/plugin_session_fixture.h"
#include "tests/faults/allocation_fault.h"
#include "tests/faults/reference_scoring.h"

namespace qxqy::testing {
namespace {

constexpr LogContact kLog[] = {
    {"599 ALB", "QX1AB", "7", "CW", "QX1"},
    {"599 BEX", "QX2CD", "14", "SSB", "QX2"},
    {"599 BEX", "QX2CD", "14", "SSB", "QX2"},
};
// New in every way: call, band, district and prefix.
constexpr LogContact kNewContact = {"599 CAR", "QX9ZZ", "21", "CW", "QX9"};
constexpr char kLongSuggestion[] = "CAR, the district of Carrick";
constexpr char kLogScoreLine[] = "Score: 6*(2+2)=24";

class EntryPointsOutOfMemoryTest : public PluginSessionTest {
 protected:
  EntryPointsOutOfMemoryTest() {
    CreateLogTable();
    for (const LogContact& c : kLog) InsertRow(c.call, c.band, c.mode, c.report, c.wpx);
    plugins_.Write("qx-qy.dom", "ALB=ALB\r\nBEX=BEX\r\nCAR=CAR\r\n");
    // A suggestion too long to be kept without an allocation.
    plugins_.Write("qx-qy.txt", "QX9ZZ=" + std::string(kLongSuggestion) + "\r\n");
  }

  RecordBuilder Record(const LogContact& c) const {
    return Host().Contact(c.call, c.band, c.mode, c.report).Wpx(c.wpx);
  }
  // The first `rows` rows of the log replayed apart from the plug-in, then
  // the new contact if asked for.
  std::unique_ptr<ReferenceScoring> Reference(size_t rows, bool with_new_contact) const {
    auto reference = std::make_unique<ReferenceScoring>(
        Host().Get(), std::vector<std::string>{"ALB=ALB", "BEX=BEX", "CAR=CAR"});
    for (size_t i = 0; i < rows; ++i) reference->Commit(kLog[i]);
    if (with_new_contact) reference->Commit(kNewContact);
    return reference;
  }
  static void ReleaseAndDispatch() {
    plugin::ReleasePlugin();
    App().ProcessMessages();
  }
};

enum class Start { kNoWindow, kWindowOpen };
// What a failure may leave of the contest besides the log's contacts.
enum class Leaves {
  kContestAsBefore,
  kNewContactWholeOrNot,  // the contact counted entirely, or not at all
  kLogRowsWhole,          // the first rebuild stopped after whole rows
};
enum class Boxes { kAtMostOutOfMemory, kNone };

// An entry point as its export calls it: behind the barrier, with the
// neutral result on an error. `call` returns its result (0 for none).
struct EntryPoint {
  const char* name;
  Start start;
  Leaves leaves;
  Boxes boxes;
  std::vector<int64_t> results;  // what it may return; empty: anything
  std::function<int64_t()> call;
};

TEST_F(EntryPointsOutOfMemoryTest, EachEntryPointSurvivesAFailedAllocationAnywhere) {
  constexpr size_t kRows = std::size(kLog);
  const std::unique_ptr<ReferenceScoring> with_contact = Reference(kRows, true);
  const ReferenceScoring& probes = *with_contact;
  const std::string after = ScoringFingerprint(probes.State(), probes);
  std::vector<std::string> log_rows;  // [m]: the first m rows of the log
  for (size_t m = 0; m <= kRows; ++m) {
    log_rows.push_back(ScoringFingerprint(Reference(m, false)->State(), probes));
  }
  const std::string& before = log_rows.back();
  const auto window_state = [&] {
    return ScoringFingerprint(*MainForm()->Session().Scoring(), probes);
  };

  const HostRecord host = Host().Get();
  const HostRecord logged = Record(kLog[0]).Get();
  const HostRecord fresh = Record(kNewContact).LookupCountry("QX").Get();
  const auto run = [&]() -> int64_t {
    uint32_t window = 0;
    plugin::RunBarrier([&] { window = plugin::Run(0, &host); }, [&] { window = 0; });
    return window;
  };
  const auto add_qso = [&]() -> int64_t {
    int32_t points = 0;
    plugin::RunBarrier([&] { points = plugin::AddQSO(&fresh); }, [&] { points = 0; });
    return points;
  };
  const auto get_score = [&]() -> int64_t {
    int32_t points = 0;
    plugin::RunBarrier([&] { points = plugin::GetScore(&logged); }, [&] { points = 0; });
    return points;
  };
  const auto grab_number = [&]() -> int64_t {  // 1 when it suggests the district
    ShortText result{};
    plugin::RunBarrier([&] { plugin::GrabNumber(&fresh, &result); },
                       [&] { WriteShortText(result, ""); });
    return ShortTextView(result) == kLongSuggestion ? 1 : 0;  // no allocation while armed
  };
  const auto release = []() -> int64_t {
    plugin::RunBarrier([] { plugin::ReleasePlugin(); }, [] {});
    return 0;
  };
  using B = Boxes;
  using L = Leaves;
  using S = Start;
  const EntryPoint entry_points[] = {
      {"_Run", S::kNoWindow, L::kLogRowsWhole, B::kAtMostOutOfMemory, {}, run},
      {"_AddQSO", S::kWindowOpen, L::kNewContactWholeOrNot, B::kAtMostOutOfMemory, {0, 3}, add_qso},
      {"_GetScore", S::kWindowOpen, L::kContestAsBefore, B::kAtMostOutOfMemory, {0, -1}, get_score},
      {"_GrabNumber",
       S::kWindowOpen,
       L::kContestAsBefore,
       B::kAtMostOutOfMemory,
       {0, 1},
       grab_number},
      {"_Release", S::kWindowOpen, L::kContestAsBefore, B::kNone, {0}, release},
  };

  for (const EntryPoint& entry_point : entry_points) {
    size_t fail_at = 1;
    for (;; ++fail_at) {
      SCOPED_TRACE(std::string(entry_point.name) + ", allocation " + std::to_string(fail_at) +
                   " fails");
      if (entry_point.start == S::kWindowOpen) {
        plugin::Run(0, &host);
        ASSERT_EQ(window_state(), before);
      }
      ClearErrorBoxLog();
      bool failed = false;
      int64_t result = 0;
      {
        ScopedAllocationFault fault(fail_at);
        result = entry_point.call();
        failed = fault.Failed();
      }
      if (!failed) break;  // the entry point makes fewer allocations than that

      const std::vector<std::string>& boxes = ErrorBoxLog();
      if (entry_point.boxes == B::kNone) {
        EXPECT_TRUE(boxes.empty());
      } else {
        EXPECT_TRUE(boxes.empty() || boxes == std::vector<std::string>{kOutOfMemoryMessage})
            << boxes.size() << " boxes, the first " << boxes.front();
      }
      const std::vector<int64_t>& results = entry_point.results;
      EXPECT_TRUE(results.empty() ||
                  std::find(results.begin(), results.end(), result) != results.end())
          << "result " << result;
      if (MainForm() != nullptr) {
        const std::string state = window_state();
        const bool allowed = state == before ||
                             (entry_point.leaves == L::kNewContactWholeOrNot && state == after) ||
                             (entry_point.leaves == L::kLogRowsWhole &&
                              std::find(log_rows.begin(), log_rows.end(), state) != log_rows.end());
        EXPECT_TRUE(allowed) << state;
      }

      // The module lets go of every window and starts afresh.
      ReleaseAndDispatch();
      EXPECT_EQ(MainForm(), nullptr);
      EXPECT_TRUE(plugin::Module().dom_list.empty());
      ClearErrorBoxLog();
      plugin::Run(0, &host);
      ASSERT_NE(MainForm(), nullptr);
      EXPECT_EQ(MainForm()->Label1.Caption(), kLogScoreLine);
      EXPECT_TRUE(ErrorBoxLog().empty());
      ReleaseAndDispatch();
    }
    ReleaseAndDispatch();  // after the call that did not fail
    // _GetScore reads the record through views and allocates nothing, so
    // its sweep ends at once; the others must have been swept.
  }
}

}  // namespace
}  // namespace qxqy::testing
