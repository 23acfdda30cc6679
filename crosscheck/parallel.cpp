#include "crosscheck/parallel.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace qxqy::crosscheck {
namespace {

// Helper threads made on first use and kept until the process ends, woken
// for each parallel step. Threads made afresh for each step were seen to
// wait hundreds of milliseconds for a processor under real-time
// scheduling, while the calling thread did the whole step alone.
class HelperPool {
 public:
  ~HelperPool() {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }

  void Run(size_t helpers, const std::function<void()>& work, const std::function<void()>& own) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (busy_) {  // a parallel step inside a job of another: the caller alone
      lock.unlock();
      own();
      return;
    }
    while (threads_.size() < helpers) {
      try {
        threads_.emplace_back([this] { Serve(); });
      } catch (const std::system_error&) {
        break;  // no more threads to be had: fewer helpers
      }
    }
    busy_ = true;
    work_ = &work;
    wanted_ = std::min(helpers, threads_.size());
    running_ = wanted_;
    ++generation_;
    lock.unlock();
    wake_.notify_all();
    std::exception_ptr error;
    try {
      own();
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    finished_.wait(lock, [&] { return running_ == 0; });
    work_ = nullptr;
    busy_ = false;
    lock.unlock();
    if (error) std::rethrow_exception(error);
  }

 private:
  void Serve() {
    uint64_t seen = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      wake_.wait(lock, [&] { return stop_ || (generation_ != seen && wanted_ > 0); });
      if (stop_) return;
      seen = generation_;
      --wanted_;
      const std::function<void()>* work = work_;
      lock.unlock();
      (*work)();  // catches what its jobs throw
      lock.lock();
      if (--running_ == 0) finished_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable finished_;
  std::vector<std::thread> threads_;
  const std::function<void()>* work_ = nullptr;
  size_t wanted_ = 0;   // helpers still to start on this step
  size_t running_ = 0;  // helpers not yet done with it
  uint64_t generation_ = 0;
  bool busy_ = false;
  bool stop_ = false;
};

}  // namespace

void RunWithHelpers(size_t helpers, const std::function<void()>& work,
                    const std::function<void()>& own) {
  static HelperPool pool;
  if (helpers == 0) {
    own();
    return;
  }
  pool.Run(helpers, work, own);
}

}  // namespace qxqy::crosscheck
