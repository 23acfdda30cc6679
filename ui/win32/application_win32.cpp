// The message pump the framework runs itself (Application::ProcessMessages):
// everything pending in the thread's queue is dispatched, including what the
// dispatching posts, the way the host's own loop would.
#include <windows.h>

#include "ui/backend.h"

namespace qxqy {

namespace {
// Work that keeps posting more work must not hang a dispatch forever.
constexpr int kMaxMessagesPerDispatch = 100000;
}  // namespace

void backend::ProcessMessages() {
  MSG message;
  for (int count = 0; count < kMaxMessagesPerDispatch; ++count) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) break;
    if (message.message == WM_QUIT) {
      // The host's loop must see the quit request: put it back and stop.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace qxqy
