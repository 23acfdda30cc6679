// The standard error box: a message box with the error icon, owned by the
// thread's active window (the host's or ours) or else by the application
// handle, and modal to the whole application while it shows.
#include <windows.h>

#include "ui/application.h"
#include "ui/backend.h"
#include "ui/win32/application_modal_scope.h"
#include "ui/win32/message_box_hook.h"
#include "ui/win32/window_peer.h"

namespace qxqy {

namespace {

constexpr char kErrorCaption[] = "Error";

win32::MessageBoxFunction& CurrentHook() {
  static win32::MessageBoxFunction hook;
  return hook;
}

HWND ErrorBoxOwner() {
  const HWND active = GetActiveWindow();
  if (active != nullptr) return active;
  const HWND application = win32::WindowFromValue(Application::Instance().Handle());
  return application != nullptr && IsWindow(application) ? application : nullptr;
}

}  // namespace

win32::ScopedMessageBoxHook::ScopedMessageBoxHook(MessageBoxFunction hook)
    : previous_(std::move(CurrentHook())) {
  CurrentHook() = std::move(hook);
}

win32::ScopedMessageBoxHook::~ScopedMessageBoxHook() { CurrentHook() = std::move(previous_); }

void backend::ShowNativeErrorBox(const std::string& message) {
  const HWND owner = ErrorBoxOwner();
  const UINT type = MB_OK | MB_ICONERROR;
  const win32::ApplicationModalScope modal;
  if (CurrentHook()) {
    CurrentHook()(owner, message, kErrorCaption, type);
    return;
  }
  MessageBoxA(owner, message.c_str(), kErrorCaption, type);
}

}  // namespace qxqy
