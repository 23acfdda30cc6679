// The host's own main window, enabled or disabled by the host itself (as a
// host does while it shows a dialog of its own).
#include "tools/hostsim/host_window.h"
#include "tools/hostsim/session.h"

namespace qxqy::hostsim {

void Session::HostAction(const Command& command) {
  const HWND host = CurrentHostWindow();
  if (host == nullptr) return Print(command, "no host window");
  EnableWindow(host, command.args.at(0) == "enable");
}

}  // namespace qxqy::hostsim
