// The native backend's posted-message queue: work posted now and run when
// Application::ProcessMessages next dispatches (in posting order, including
// work posted while dispatching).
#pragma once

#include <functional>

namespace qxqy::posix {

void PostTask(std::function<void()> task);

}  // namespace qxqy::posix
