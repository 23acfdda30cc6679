#include "tools/hostsim/host_window.h"

#include <atomic>

#include "base/error.h"

namespace qxqy::hostsim {

namespace {

constexpr char kClassName[] = "QxqyHostSimulator";
constexpr char kCaption[] = "Host simulator";
// Shown and enabled, as a logging program's main window is, so that the error
// box's bookkeeping meets it; placed beyond the screen's top left corner so
// that it covers no plug-in window and stays out of every screenshot.
constexpr RECT kBounds{-2000, -2000, -1680, -1840};

// Read by the error-box watcher's thread too.
std::atomic<HWND> current_window{nullptr};

ATOM RegisterHostClass() {
  WNDCLASSA description{};
  description.lpfnWndProc = DefWindowProcA;
  description.hInstance = GetModuleHandleA(nullptr);
  description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  description.lpszClassName = kClassName;
  return RegisterClassA(&description);
}

}  // namespace

HostWindow::HostWindow() {
  static const ATOM window_class = RegisterHostClass();
  window_ =
      CreateWindowExA(0, MAKEINTATOM(window_class), kCaption, WS_OVERLAPPEDWINDOW, kBounds.left,
                      kBounds.top, kBounds.right - kBounds.left, kBounds.bottom - kBounds.top,
                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window_ == nullptr) {
    throw Error("cannot make the host's main window (error " + std::to_string(GetLastError()) +
                ")");
  }
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  current_window = window_;
}

HostWindow::~HostWindow() {
  current_window = nullptr;
  DestroyWindow(window_);
}

HWND CurrentHostWindow() { return current_window.load(); }

bool IsHostWindow(HWND window) { return window != nullptr && window == current_window.load(); }

}  // namespace qxqy::hostsim
