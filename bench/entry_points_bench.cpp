// Cost of one contact through the real entry points, with the main window
// and the multiplier window open, at 1,000, 10,000 and 100,000 contacts
// already logged: _GetScore (the preview) and _AddQSO (scoring, the
// statistics grid and score line, the multiplier window following the band
// and repainting). The log is an in-memory SQLite table that the window
// rebuilds from when it opens.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

#include "MainForm/main_form.h"
#include "Plugin/entry_points.h"
#include "Plugin/module_state.h"
#include "base/posix/sqlite_connections.h"
#include "bench/bench_environment.h"
#include "bench/contest_log.h"
#include "ui/application.h"

namespace qxqy::bench {
namespace {

constexpr size_t kProbeCount = 1024;
constexpr size_t kCommitBatch = 100;

// The plug-in running over a log of `size` contacts, plus contacts for the
// benchmarks: probes (half logged, half new) and fresh contacts to add.
class EntryPointSession {
 public:
  explicit EntryPointSession(size_t size) {
    ContestLogGenerator generator(static_cast<uint32_t>(size));
    const std::vector<LoggedContact> log = generator.Take(size);
    fresh_ = generator.Take(std::max(size / 10, kCommitBatch));
    const std::vector<LoggedContact> unseen = generator.Take(kProbeCount / 2);
    for (size_t i = 0; i < kProbeCount; ++i) {
      probes_.push_back(i % 2 ? unseen[i / 2] : log[(i * 7919) % log.size()]);
    }
    OpenLog(log);
    WriteShortText(record_.LogTable, "QSOs");
    WriteShortText(record_.OwnGroup, "QX");
    WriteShortText(record_.QsoGroup, "DX");
    WriteShortText(record_.LookupCountry, "QX");
    record_.Connection = handle_;
    plugin::Run(0, &record_);
    plugin::Module().main_form->btnOBL1.Click();
    if (plugin::Module().dom_list.empty()) throw std::runtime_error("no multiplier window");
  }
  ~EntryPointSession() {
    plugin::ReleasePlugin();
    Application::Instance().ProcessMessages();
    UnregisterSqliteConnection(handle_);
    sqlite3_close(db_);
  }

  const HostRecord& Record(const LoggedContact& contact) {
    WriteContact(contact, record_);
    return record_;
  }
  const std::vector<LoggedContact>& probes() const { return probes_; }
  // The next fresh contact; nullptr once all were added (Recalc restarts).
  const LoggedContact* NextFresh() {
    return next_fresh_ < fresh_.size() ? &fresh_[next_fresh_++] : nullptr;
  }
  // "Recalc": back to exactly the logged contacts.
  void Recalc() {
    plugin::Module().main_form->BitBtn1.Click();
    next_fresh_ = 0;
  }

 private:
  void OpenLog(const std::vector<LoggedContact>& log) {
    if (sqlite3_open(":memory:", &db_) != SQLITE_OK) throw std::runtime_error("sqlite3_open");
    sqlite3_exec(db_,
                 "CREATE TABLE QSOs (CallSign TEXT, DigiBand TEXT, QSOMode TEXT,"
                 " QSOReportRecived TEXT, WPX TEXT); BEGIN",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db_, "INSERT INTO QSOs VALUES (?, ?, ?, ?, ?)", -1, &insert, nullptr);
    for (const LoggedContact& contact : log) {
      const std::string* values[] = {&contact.call, &contact.band, &contact.mode, &contact.exchange,
                                     &contact.wpx};
      for (int i = 0; i < 5; ++i) {
        sqlite3_bind_text(insert, i + 1, values[i]->c_str(), -1, SQLITE_STATIC);
      }
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    handle_ = RegisterSqliteConnection(db_);
  }

  sqlite3* db_ = nullptr;
  uint32_t handle_ = 0;
  HostRecord record_{};
  std::vector<LoggedContact> probes_;
  std::vector<LoggedContact> fresh_;
  size_t next_fresh_ = 0;
};

// One session at a time: the module has one main window. Ended by main()
// while the application object still exists.
std::unique_ptr<EntryPointSession> current_session;
size_t current_session_size = 0;

EntryPointSession& SessionOfSize(size_t size) {
  if (!current_session || current_session_size != size) {
    current_session.reset();
    current_session = std::make_unique<EntryPointSession>(size);
    current_session_size = size;
  }
  return *current_session;
}

void BM_GetScoreEntryPoint(benchmark::State& state) {
  EntryPointSession& session = SessionOfSize(static_cast<size_t>(state.range(0)));
  const std::vector<LoggedContact>& probes = session.probes();
  size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(plugin::GetScore(&session.Record(probes[next])));
    next = (next + 1) % probes.size();
  }
  state.SetItemsProcessed(state.iterations());
}

// Adds batches of new contacts; when the fresh ones run out (the log has
// grown by a tenth) Recalc brings it back to its size with the clock stopped.
void BM_AddQsoEntryPoint(benchmark::State& state) {
  EntryPointSession& session = SessionOfSize(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    for (size_t i = 0; i < kCommitBatch; ++i) {
      const LoggedContact* contact = session.NextFresh();
      if (contact == nullptr) {
        state.PauseTiming();
        session.Recalc();
        state.ResumeTiming();
        contact = session.NextFresh();
      }
      benchmark::DoNotOptimize(plugin::AddQSO(&session.Record(*contact)));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kCommitBatch));
  session.Recalc();
}

BENCHMARK(BM_GetScoreEntryPoint)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_AddQsoEntryPoint)->Arg(1000)->Arg(10000)->Arg(100000);

}  // namespace

void EndSession() { current_session.reset(); }

}  // namespace qxqy::bench

int main(int argc, char** argv) {
  qxqy::bench::BenchEnvironment environment;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  qxqy::bench::EndSession();
  benchmark::Shutdown();
  return 0;
}
