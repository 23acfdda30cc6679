// Cost of one contact through ScoreQso with 1,000, 10,000 and 100,000
// contacts already remembered: the preview (_GetScore) and the commit (the
// scoring part of _AddQSO).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "bench/contest_log.h"
#include "refdata/district_table.h"
#include "scoring/scoring_state.h"

namespace qxqy::bench {
namespace {

constexpr size_t kProbeCount = 1024;
constexpr size_t kCommitBatch = 100;

// A scoring state holding `size` logged contacts, plus contacts not in it:
// probes for previews (half new, half repeats) and fresh contacts for
// commits. Built once per size and shared by the benchmarks.
class Session {
 public:
  explicit Session(size_t size) {
    ContestLogGenerator generator(static_cast<uint32_t>(size));
    log_ = generator.Take(size);
    fresh_ = generator.Take(std::max(size / 10, kCommitBatch));
    const std::vector<LoggedContact> unseen = generator.Take(kProbeCount / 2);
    for (size_t i = 0; i < kProbeCount; ++i) {
      probes_.push_back(i % 2 ? unseen[i / 2] : log_[(i * 7919) % log_.size()]);
    }
    table_.Assign(ContestLogGenerator::DistrictTableLines());
    WriteShortText(record_.OwnGroup, "A");
    WriteShortText(record_.QsoGroup, "B");
    Replay();
  }

  // Back to exactly the logged contacts, as a rebuild from the log does.
  void Replay() {
    state_.Clear();
    for (const LoggedContact& contact : log_) Score(contact, true);
    next_fresh_ = 0;
  }

  int32_t Score(const LoggedContact& contact, bool commit) {
    WriteContact(contact, record_);
    return state_.ScoreQso(commit);
  }

  // The next fresh contact; nullptr once all were used (Replay restarts).
  const LoggedContact* NextFresh() {
    return next_fresh_ < fresh_.size() ? &fresh_[next_fresh_++] : nullptr;
  }

  const std::vector<LoggedContact>& probes() const { return probes_; }

 private:
  std::vector<LoggedContact> log_;
  std::vector<LoggedContact> fresh_;
  std::vector<LoggedContact> probes_;
  size_t next_fresh_ = 0;
  HostRecord record_{};
  DistrictTable table_;
  ScoringState state_{record_, table_, /*observer=*/nullptr};
};

Session& SessionOfSize(size_t size) {
  static std::map<size_t, std::unique_ptr<Session>> sessions;
  std::unique_ptr<Session>& session = sessions[size];
  if (!session) session = std::make_unique<Session>(size);
  return *session;
}

void BM_ScoreQsoPreview(benchmark::State& state) {
  Session& session = SessionOfSize(static_cast<size_t>(state.range(0)));
  const std::vector<LoggedContact>& probes = session.probes();
  size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(session.Score(probes[next], false));
    next = (next + 1) % probes.size();
  }
  state.SetItemsProcessed(state.iterations());
}

// Commits batches of new contacts; when the fresh contacts run out (the
// list has grown by a tenth) the state is replayed back to its size with
// the clock stopped.
void BM_ScoreQsoCommit(benchmark::State& state) {
  Session& session = SessionOfSize(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    for (size_t i = 0; i < kCommitBatch; ++i) {
      const LoggedContact* contact = session.NextFresh();
      if (contact == nullptr) {
        state.PauseTiming();
        session.Replay();
        state.ResumeTiming();
        contact = session.NextFresh();
      }
      benchmark::DoNotOptimize(session.Score(*contact, true));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kCommitBatch));
  session.Replay();
}

BENCHMARK(BM_ScoreQsoPreview)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_ScoreQsoCommit)->Arg(1000)->Arg(10000)->Arg(100000);

}  // namespace
}  // namespace qxqy::bench

BENCHMARK_MAIN();
