#include "tools/hostsim/message_pump.h"

#include <windows.h>

namespace qxqy::hostsim {

namespace {

void DispatchPending(PumpResult& result) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      result.quit_posted = true;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    ++result.dispatched;
  }
}

DWORD Elapsed(DWORD since) { return GetTickCount() - since; }

}  // namespace

PumpResult PumpUntilQuiet(int quiet_ms, int limit_ms) {
  PumpResult result;
  const DWORD start = GetTickCount();
  while (Elapsed(start) < DWORD(limit_ms)) {
    const int before = result.dispatched;
    DispatchPending(result);
    if (result.dispatched == before && MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(quiet_ms),
                                                                 QS_ALLINPUT) == WAIT_TIMEOUT) {
      break;
    }
  }
  return result;
}

PumpResult PumpFor(int duration_ms) {
  PumpResult result;
  const DWORD start = GetTickCount();
  while (true) {
    DispatchPending(result);
    const DWORD elapsed = Elapsed(start);
    if (elapsed >= DWORD(duration_ms)) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(duration_ms) - elapsed, QS_ALLINPUT);
  }
  DispatchPending(result);
  return result;
}

}  // namespace qxqy::hostsim
