// The host's message loop, run between actions on the session thread: this is
// where the plug-in's posted requests (its deferred release), painting and
// timers are handled.
#pragma once

namespace qxqy::hostsim {

struct PumpResult {
  int dispatched = 0;
  bool quit_posted = false;  // someone posted WM_QUIT (a host would stop here)
};

// Dispatches messages until none has arrived for `quiet_ms`, or `limit_ms`
// have passed in all (a window that never validates its painting would keep
// the queue busy for ever).
PumpResult PumpUntilQuiet(int quiet_ms, int limit_ms);

// Dispatches messages as they come for `duration_ms`.
PumpResult PumpFor(int duration_ms);

}  // namespace qxqy::hostsim
