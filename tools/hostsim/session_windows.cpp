// Driving the plug-in's windows as a user and the host's message loop would.
#include <cstdlib>
#include <optional>

#include "tools/hostsim/message_pump.h"
#include "tools/hostsim/screenshot.h"
#include "tools/hostsim/session.h"
#include "tools/hostsim/text_format.h"
#include "tools/hostsim/window_probe.h"

namespace qxqy::hostsim {

namespace {

constexpr int kQuietMs = 50;
constexpr int kPumpLimitMs = 2000;
constexpr int kDefaultScreenshotWaitMs = 3000;
constexpr char kMultipliersCaption[] = "Multipliers";

int MillisecondsArgument(const Command& command, int fallback) {
  return command.args.empty() ? fallback
                              : static_cast<int>(std::strtol(command.args[0].c_str(), nullptr, 0));
}

std::optional<ButtonLook> FindButton(HWND window, const std::string& caption) {
  if (!window) return std::nullopt;
  for (const auto& button : ReadButtons(window)) {
    if (button.caption == caption || PlainCaption(button.caption) == caption) return button;
  }
  return std::nullopt;
}

bool IsOwnWindow(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

// The top-level window the mouse reaches at `point`. Another program's window
// lying there (a parallel session on the same screen) is first put behind
// `window`, as the operator would bring the plug-in's window forward.
HWND TopLevelWindowAt(HWND window, POINT point) {
  HWND on_top = GetAncestor(WindowFromPoint(point), GA_ROOT);
  if (on_top != window && !IsOwnWindow(on_top)) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    on_top = GetAncestor(WindowFromPoint(point), GA_ROOT);
  }
  return on_top;
}

}  // namespace

std::optional<ButtonLook> Session::FindAnyButton(const Command& command,
                                                 const std::string& caption) {
  auto button = FindButton(IsWindow(main_window_) ? main_window_ : nullptr, caption);
  if (!button) button = FindButton(FindProcessWindow(kMultipliersCaption), caption);
  if (!button) Print(command, "no button " + QuoteText(caption));
  return button;
}

HWND Session::TargetWindow(const Command& command, const std::string& target) {
  if (target == "multipliers") {
    HWND window = FindProcessWindow(kMultipliersCaption);
    if (!window) Print(command, "no multipliers window");
    return window;
  }
  if (!main_window_) {
    Print(command, "no main window");
    return nullptr;
  }
  if (!IsWindow(main_window_)) {
    Print(command, "main window destroyed");
    return nullptr;
  }
  return main_window_;
}

void Session::Pump(const Command& command) {
  if (PumpUntilQuiet(kQuietMs, kPumpLimitMs).quit_posted) Print(command, "WM_QUIT posted");
}

void Session::Sleep(const Command& command) {
  if (PumpFor(MillisecondsArgument(command, 0)).quit_posted) Print(command, "WM_QUIT posted");
}

void Session::Click(const Command& command) {
  const std::string& caption = command.args[0];
  const auto button = FindAnyButton(command, caption);
  if (!button) return;
  if (!IsWindowEnabled(button->window)) {
    Print(command, QuoteText(caption) + " is disabled");
    return;
  }
  SendMessageA(button->window, BM_CLICK, 0, 0);
}

void Session::Hover(const Command& command) {
  const std::string& caption = command.args[0];
  const auto button = FindAnyButton(command, caption);
  if (!button) return;
  if (!IsWindowEnabled(button->window)) {
    Print(command, QuoteText(caption) + " is disabled");
    return;
  }
  const POINT middle{(button->screen.left + button->screen.right) / 2,
                     (button->screen.top + button->screen.bottom) / 2};
  const HWND window = GetAncestor(button->window, GA_ROOT);
  const HWND on_top = TopLevelWindowAt(window, middle);
  const HWND under = WindowFromPoint(middle);
  if (under != button->window) {
    const HWND cover = on_top != window ? on_top : under;
    Print(command, QuoteText(caption) + " is covered by " + QuoteText(WindowText(cover)));
    return;
  }
  // The pointer is put there, then a real (motionless) move of the mouse
  // reaches the window under it, as a hand on the mouse would bring.
  SetCursorPos(middle.x, middle.y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof(INPUT));
  PumpUntilQuiet(kQuietMs, kPumpLimitMs);
}

void Session::SysCommand(const Command& command) {
  HWND window = TargetWindow(command, command.args.size() > 1 ? command.args[1] : "main");
  if (!window) return;
  const std::string& what = command.args[0];
  const WPARAM code = what == "close"      ? SC_CLOSE
                      : what == "minimize" ? SC_MINIMIZE
                      : what == "maximize" ? SC_MAXIMIZE
                      : what == "restore"  ? SC_RESTORE
                                           : std::strtoul(what.c_str(), nullptr, 0);
  SendMessageA(window, WM_SYSCOMMAND, code, 0);
}

void Session::Key(const Command& command) {
  HWND window = TargetWindow(command, command.args.size() > 1 ? command.args[1] : "main");
  if (!window) return;
  // Alt+F4 as the keyboard delivers it: a system key press with the Alt
  // flag (context code, bit 29) set, left to the window's default handling.
  constexpr LPARAM kAltDown = LPARAM(1) << 29;
  const LPARAM lparam = kAltDown | (MapVirtualKeyA(VK_F4, MAPVK_VK_TO_VSC) << 16) | 1;
  SendMessageA(window, WM_SYSKEYDOWN, VK_F4, lparam);
  SendMessageA(window, WM_SYSKEYUP, VK_F4, lparam | (LPARAM(1) << 30) | (LPARAM(1) << 31));
}

void Session::ClickCloseBox(const Command& command) {
  HWND window = TargetWindow(command, command.args.empty() ? "main" : command.args[0]);
  if (!window) return;
  const auto point = FindCloseBox(window);
  if (!point) {
    Print(command, "no close box");
    return;
  }
  // The mouse reaches only what is on top at that point; a window of this
  // process there is reported.
  const HWND on_top = TopLevelWindowAt(window, *point);
  if (on_top != window) {
    Print(command, "the close box is covered by " + QuoteText(WindowText(on_top)));
    return;
  }
  // A real press and release of the left button over the close box: the
  // window's frame handling tracks it and sends the system command itself.
  SetCursorPos(point->x, point->y);
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
  PumpUntilQuiet(kQuietMs, kPumpLimitMs);
}

void Session::Move(const Command& command) {
  HWND window = TargetWindow(command, command.args[0]);
  if (!window) return;
  const auto number = [&](size_t index) {
    return static_cast<int>(std::strtol(command.args[index].c_str(), nullptr, 0));
  };
  const bool sized = command.args.size() == 5;
  // What a drag with the mouse brings: the move-size loop's bracket messages
  // around the change of place and size.
  SendMessageA(window, WM_ENTERSIZEMOVE, 0, 0);
  SetWindowPos(window, nullptr, number(1), number(2), sized ? number(3) : 0, sized ? number(4) : 0,
               SWP_NOZORDER | SWP_NOACTIVATE | (sized ? 0 : SWP_NOSIZE));
  SendMessageA(window, WM_EXITSIZEMOVE, 0, 0);
}

void Session::Close(const Command& command) {
  if (HWND window = TargetWindow(command, command.args.empty() ? "main" : command.args[0])) {
    SendMessageA(window, WM_CLOSE, 0, 0);
  }
}

void Session::Screenshot(const Command& command) {
  PumpUntilQuiet(kQuietMs, kPumpLimitMs);
  try {
    SaveScreenshot(command.args[0]);
  } catch (const Error& error) {
    Print(command, "error " + QuoteText(error.what()));
  }
}

void Session::ScreenshotReady(const Command& command) {
  PumpUntilQuiet(kQuietMs, kPumpLimitMs);
  const int wait_ms = MillisecondsArgument(command, kDefaultScreenshotWaitMs);
  Print(command, "waiting " + std::to_string(wait_ms) + " ms");
  PumpFor(wait_ms);
}

}  // namespace qxqy::hostsim
