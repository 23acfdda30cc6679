#include "tools/hostsim/window_states.h"

#include <algorithm>
#include <vector>

#include "tools/hostsim/host_window.h"
#include "tools/hostsim/text_format.h"
#include "tools/hostsim/window_probe.h"

namespace qxqy::hostsim {

namespace {

// The caption as the window keeps it, without sending it WM_GETTEXT (its
// thread may be busy), in the ANSI code page as the plug-in set it.
std::string StoredCaption(HWND window) {
  wchar_t wide[512] = {};
  const int length = InternalGetWindowText(window, wide, static_cast<int>(std::size(wide)));
  if (length <= 0) return {};
  char text[1024] = {};
  const int bytes =
      WideCharToMultiByte(CP_ACP, 0, wide, length, text, sizeof text, nullptr, nullptr);
  return std::string(text, static_cast<size_t>(std::max(bytes, 0)));
}

}  // namespace

std::string WindowName(HWND window) {
  if (window == nullptr) return "none";
  return IsHostWindow(window) ? "host" : QuoteText(StoredCaption(window));
}

std::string EnabledStates(HWND except) {
  std::string host;
  std::vector<std::string> others;
  for (HWND window : ProcessTopLevelWindows(true)) {
    if (window == except) continue;
    const std::string state =
        WindowName(window) + (IsWindowEnabled(window) ? " enabled" : " disabled");
    if (IsHostWindow(window)) {
      host = state;
    } else {
      others.push_back(state);
    }
  }
  std::sort(others.begin(), others.end());
  if (!host.empty()) others.insert(others.begin(), host);
  if (others.empty()) return "no other window";
  std::string text;
  for (const auto& state : others) text += (text.empty() ? "" : ", ") + state;
  return text;
}

std::string ActiveWindowName() { return WindowName(GetActiveWindow()); }

}  // namespace qxqy::hostsim
