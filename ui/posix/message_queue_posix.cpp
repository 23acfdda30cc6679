#include <deque>

#include "ui/backend.h"
#include "ui/posix/message_queue.h"

namespace qxqy {

namespace posix {

namespace {

std::deque<std::function<void()>>& Queue() {
  static std::deque<std::function<void()>> queue;
  return queue;
}

// Work that keeps posting more work must not hang a dispatch forever.
constexpr int kMaxTasksPerDispatch = 100000;

}  // namespace

void PostTask(std::function<void()> task) { Queue().push_back(std::move(task)); }

int DrainTasks() {
  int ran = 0;
  while (!Queue().empty() && ran < kMaxTasksPerDispatch) {
    std::function<void()> task = std::move(Queue().front());
    Queue().pop_front();
    task();
    ++ran;
  }
  return ran;
}

}  // namespace posix

void backend::ProcessMessages() { posix::DrainTasks(); }

}  // namespace qxqy
