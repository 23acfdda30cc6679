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

}  // namespace posix

void backend::ProcessMessages() {
  std::deque<std::function<void()>>& queue = posix::Queue();
  for (int ran = 0; !queue.empty() && ran < posix::kMaxTasksPerDispatch; ++ran) {
    std::function<void()> task = std::move(queue.front());
    queue.pop_front();
    task();
  }
}

}  // namespace qxqy
