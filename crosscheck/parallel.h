// Runs independent jobs on a few threads. Each job writes only its own
// results (by its index), so what comes out never depends on the threads'
// timing.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>
#include <vector>

namespace qxqy::crosscheck {

// Runs `work` on up to `helpers` threads kept for the whole process, while
// the calling thread runs `own`, and returns once all have finished (then
// throws what `own` threw). `work` must not throw. While another call runs
// (called from within its `work` or `own`), runs `own` alone.
void RunWithHelpers(size_t helpers, const std::function<void()>& work,
                    const std::function<void()>& own);

// Calls job(i) for every i below `count` on up to `threads` threads (the
// calling thread among them). `done(n)` is called on the calling thread
// before the first job (with 0), after each job it ran and once at the end,
// with how many jobs have finished. The first exception a job throws (by index) is thrown again
// once all threads have stopped.
template <typename Job, typename Done>
void ParallelFor(size_t count, unsigned threads, Job job, Done done) {
  std::atomic<size_t> next{0};
  std::atomic<size_t> finished{0};
  std::vector<std::exception_ptr> errors(count);
  done(0);
  const auto work = [&](bool calling_thread) {
    for (size_t i; (i = next.fetch_add(1)) < count;) {
      try {
        job(i);
      } catch (...) {
        errors[i] = std::current_exception();
      }
      const size_t now = finished.fetch_add(1) + 1;
      if (calling_thread) done(now);
    }
  };
  const size_t helpers = std::min<size_t>(threads > 0 ? threads - 1 : 0, count > 0 ? count - 1 : 0);
  RunWithHelpers(
      helpers, [&] { work(false); }, [&] { work(true); });
  done(finished.load());
  for (const std::exception_ptr& error : errors) {
    if (error) std::rethrow_exception(error);
  }
}

template <typename Job>
void ParallelFor(size_t count, unsigned threads, Job job) {
  ParallelFor(count, threads, job, [](size_t) {});
}

}  // namespace qxqy::crosscheck
