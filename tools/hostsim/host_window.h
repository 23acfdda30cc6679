// The host's own main window. A logging program has its main window open
// before it loads a plug-in, and the plug-in runs on that window's thread, so
// a box the plug-in makes modal to the application must disable it too. The
// simulator makes one such window on the session thread before the plug-in
// is loaded: an ordinary top-level window captioned "Host simulator", shown
// at the bottom left of the screen, away from where the plug-in's windows
// open or the sessions move them. `show windows` leaves it out (it lists the
// plug-in's windows); the error-box lines name it "host".
#pragma once

#include <windows.h>

namespace qxqy::hostsim {

class HostWindow {
 public:
  // Makes and shows the window; throws Error when it cannot be made.
  HostWindow();
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

// The window of the HostWindow that exists now, or null.
HWND CurrentHostWindow();
// True for that window.
bool IsHostWindow(HWND window);

}  // namespace qxqy::hostsim
