// Dismisses the message boxes the plug-in shows. A message box is modal and
// blocks inside the plug-in's call on the session thread, so a second thread
// looks for dialogs (class "#32770") of this process every few milliseconds,
// prints "error-box: <text>" (the box's message) and presses its OK button
// (or its first button when it has none). A session therefore never hangs on
// an error box, and the message lands in the transcript before the result of
// the call that showed it. The watcher's window calls never overlap a load
// or unload of the plug-in (ModuleLoadMutex).
//
// While the box shows, a second line names its owner and tells whether each
// of the process's other windows is enabled (a box modal to the application
// disables them all): "error-box: while shown: owner host; host disabled,
// ..." (window_states.h).
// After the action that showed boxes has returned, ReportAfterBoxes, called
// on the session thread, prints whether they are enabled again and which
// window is active: "error-box: after: host enabled, ...; active ...".
#pragma once

#include <atomic>
#include <thread>

#include "tools/hostsim/output.h"

namespace qxqy::hostsim {

class ErrorBoxWatcher {
 public:
  // Starts watching; `output` must outlive the watcher.
  explicit ErrorBoxWatcher(Output& output);
  // Stops watching and waits for the thread.
  ~ErrorBoxWatcher();
  ErrorBoxWatcher(const ErrorBoxWatcher&) = delete;
  ErrorBoxWatcher& operator=(const ErrorBoxWatcher&) = delete;

  // On the thread that owns the windows, after an action: when a box was
  // shown since the last call, prints the windows' states and the active
  // window. Prints nothing otherwise.
  void ReportAfterBoxes();

 private:
  void Watch();

  Output& output_;
  std::atomic<bool> stopping_{false};
  std::atomic<int> boxes_shown_{0};  // since the last ReportAfterBoxes
  std::thread thread_;
};

}  // namespace qxqy::hostsim
