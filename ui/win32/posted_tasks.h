// Work posted to the thread's message queue through a hidden message-only
// window of the backend, run when the host's loop (or ProcessMessages)
// dispatches it. Used where no window of the work's own exists any more.
#pragma once

#include <functional>

namespace qxqy::win32 {

// Queues `task`; runs in posting order. Throws Error when the message
// window cannot be made or the message cannot be posted.
void PostTask(std::function<void()> task);

}  // namespace qxqy::win32
