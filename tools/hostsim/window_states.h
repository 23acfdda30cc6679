// What the error-box lines say about the process's windows: whether each is
// enabled while a box shows and after it, and which one is active. Only
// reads window state (no message is sent), so it may run on the watcher's
// thread while the session thread waits in the box.
#pragma once

#include <windows.h>

#include <string>

namespace qxqy::hostsim {

// Each visible top-level window of this process but `except`, with its
// state: `host enabled, " in QX-QY DX Contest" disabled` (the host's window
// first, the others by caption, sorted); "no other window" when there is none.
std::string EnabledStates(HWND except);

// How the lines name a window: "host", its caption in quotes, or "none" for
// no window.
std::string WindowName(HWND window);

// The calling thread's active window, named so.
std::string ActiveWindowName();

}  // namespace qxqy::hostsim
