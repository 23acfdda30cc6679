#include "tools/hostsim/error_box_watcher.h"

#include <windows.h>

#include <chrono>
#include <string>

#include "tools/hostsim/plugin_library.h"
#include "tools/hostsim/text_format.h"
#include "tools/hostsim/window_probe.h"
#include "tools/hostsim/window_states.h"

namespace qxqy::hostsim {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr UINT kSendTimeoutMs = 2000;
constexpr int kCloseWaitPolls = 100;

// Text of a window on another thread, without waiting forever for it.
std::string TextFromOtherThread(HWND window) {
  char text[4096] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied)) {
    return {};
  }
  return std::string(text, std::min<size_t>(copied, sizeof text - 1));
}

// The message of a message box: its first static control that shows text
// rather than an icon.
std::string MessageOf(HWND box) {
  for (HWND control : DescendantsOfClass(box, "Static")) {
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) continue;
    std::string text = TextFromOtherThread(control);
    if (!text.empty()) return text;
  }
  return {};
}

void PressDefaultButton(HWND box) {
  int id = IDOK;
  HWND button = GetDlgItem(box, IDOK);
  if (!button) {
    const auto buttons = DescendantsOfClass(box, "Button");
    if (buttons.empty()) return;
    button = buttons.front();
    id = GetDlgCtrlID(button);
  }
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// A visible dialog of this process, or null.
HWND FindMessageBox() {
  std::lock_guard<std::mutex> lock(ModuleLoadMutex());
  for (HWND window : ProcessTopLevelWindows(true)) {
    if (ClassName(window) == "#32770") return window;
  }
  return nullptr;
}

}  // namespace

ErrorBoxWatcher::ErrorBoxWatcher(Output& output) : output_(output), thread_([this] { Watch(); }) {}

ErrorBoxWatcher::~ErrorBoxWatcher() {
  stopping_ = true;
  thread_.join();
}

void ErrorBoxWatcher::ReportAfterBoxes() {
  if (boxes_shown_.exchange(0) == 0) return;
  output_.Line("error-box", "after: " + EnabledStates(nullptr) + "; active " + ActiveWindowName());
}

void ErrorBoxWatcher::Watch() {
  while (!stopping_) {
    if (HWND box = FindMessageBox()) {
      std::string message;
      std::string states;
      {
        std::lock_guard<std::mutex> lock(ModuleLoadMutex());
        message = MessageOf(box);
        states = "owner " + WindowName(GetWindow(box, GW_OWNER)) + "; " + EnabledStates(box);
      }
      output_.Line("error-box", QuoteText(message));
      output_.Line("error-box", "while shown: " + states);
      ++boxes_shown_;
      for (int poll = 0; poll < kCloseWaitPolls && !stopping_; ++poll) {
        {
          std::lock_guard<std::mutex> lock(ModuleLoadMutex());
          if (!IsWindow(box)) break;
          if (poll % 10 == 0) PressDefaultButton(box);
        }
        std::this_thread::sleep_for(kPollInterval);
      }
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace qxqy::hostsim
