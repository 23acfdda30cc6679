// Makes whatever runs inside the scope modal to the whole application, as a
// framework's standard message box is: the calling thread's enabled and
// visible top-level windows are disabled for the scope's lifetime, so the
// operator can neither log on in the host's windows nor press a button of
// ours under the box. On leaving, exactly the windows the scope disabled are
// enabled again (one that was disabled before stays disabled, one destroyed
// meanwhile is skipped), and the window that was active becomes active again.
//
// A message box disables its owner for its own run and enables it again when
// it ends, but only when the owner was enabled as it started. The scope
// disables the owner first, so the box leaves it alone and the scope alone
// decides what is enabled afterwards.
#pragma once

#include <windows.h>

#include <vector>

namespace qxqy::win32 {

class ApplicationModalScope {
 public:
  ApplicationModalScope();
  ~ApplicationModalScope();
  ApplicationModalScope(const ApplicationModalScope&) = delete;
  ApplicationModalScope& operator=(const ApplicationModalScope&) = delete;

 private:
  HWND previously_active_;
  std::vector<HWND> disabled_;
};

}  // namespace qxqy::win32
