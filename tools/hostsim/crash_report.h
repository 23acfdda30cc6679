// Reports an unhandled exception (an access violation in the plug-in, a
// floating-point trap under the host's unmasked x87 exceptions, ...) as one
// transcript line, "crash: exception 0x... during <action>", and ends the
// process with kExitCrash instead of leaving it to the system's debugger.
#pragma once

#include <string>

#include "tools/hostsim/output.h"

namespace qxqy::hostsim {

// Installs the process-wide handler; `output` must live until the process ends.
void InstallCrashReport(Output& output);

// What the session is doing now ("line 12: add-qso"), named by a crash
// report and by the watchdog.
void SetCurrentAction(const std::string& action);
std::string CurrentAction();

}  // namespace qxqy::hostsim
