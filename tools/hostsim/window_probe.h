// Reading and finding the plug-in's windows from outside, through the
// windows alone (messages and window functions), as a screen reader or a UI
// test tool would: nothing here looks into the plug-in's memory. All
// functions are called on the session thread, which owns the plug-in's
// windows, so messages sent here are handled at once.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qxqy::hostsim {

// The window's text (WM_GETTEXTLENGTH, then WM_GETTEXT), bytes as they are.
std::string WindowText(HWND window);
std::string ClassName(HWND window);

// Descendants of `parent` whose class is `class_name` (letter case ignored),
// in the order EnumChildWindows gives them.
std::vector<HWND> DescendantsOfClass(HWND parent, const std::string& class_name);

// This process's top-level windows; with `visible_only`, the visible ones.
std::vector<HWND> ProcessTopLevelWindows(bool visible_only);
// This process's first top-level window with exactly this caption, or null.
HWND FindProcessWindow(const std::string& caption);

// The grid control's text split into rows (CR LF) and cells (TAB).
std::vector<std::vector<std::string>> ReadGrid(HWND grid);

struct ButtonLook {
  HWND window = nullptr;
  std::string caption;
  bool enabled = false;
  bool visible = false;
  std::optional<bool> checked;  // only for check boxes and radio buttons
  RECT screen{};
};

// The "Button" descendants of `window`, top to bottom, then left to right
// on the screen.
std::vector<ButtonLook> ReadButtons(HWND window);

// A point on the screen where `window`'s frame reports its close box
// (WM_NCHITTEST answers HTCLOSE), searched along the caption bar; nullopt
// when there is none.
std::optional<POINT> FindCloseBox(HWND window);

// The caption of a button without its '&' accelerator marks.
std::string PlainCaption(const std::string& caption);

}  // namespace qxqy::hostsim
