#include "ui/win32/application_modal_scope.h"

namespace qxqy::win32 {

namespace {

// Adds a top-level window of the thread that the operator can use now. A
// window that cannot be remembered (no memory) ends the search and stays
// enabled: the box still shows, merely less modal, and nothing is left
// disabled for good.
BOOL CALLBACK RememberUsableWindow(HWND window, LPARAM found) {
  if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
  try {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

}  // namespace

ApplicationModalScope::ApplicationModalScope() : previously_active_(GetActiveWindow()) {
  EnumThreadWindows(GetCurrentThreadId(), RememberUsableWindow,
                    reinterpret_cast<LPARAM>(&disabled_));
  for (HWND window : disabled_) EnableWindow(window, FALSE);
}

ApplicationModalScope::~ApplicationModalScope() {
  for (HWND window : disabled_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  if (previously_active_ != nullptr && IsWindow(previously_active_) &&
      IsWindowEnabled(previously_active_) && GetActiveWindow() != previously_active_) {
    SetActiveWindow(previously_active_);
  }
}

}  // namespace qxqy::win32
