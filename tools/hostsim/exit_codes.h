// The simulator's exit codes. A session that ran to its end exits with 0,
// whatever the plug-in answered: outputs are judged by comparing transcripts.
#pragma once

namespace qxqy::hostsim {

enum ExitCode : int {
  kExitSessionRan = 0,
  kExitFailure = 1,        // the simulator itself failed (session file unreadable, ...)
  kExitBadScript = 2,      // usage error or a script that does not parse
  kExitPluginMissing = 3,  // the DLL cannot be loaded or lacks an export
  kExitAbiViolation = 4,   // the plug-in broke the calling convention
  kExitTimeout = 5,        // the watchdog ended the session
  kExitCrash = 6,          // an unhandled exception (access violation, FPU trap, ...)
};

}  // namespace qxqy::hostsim
