// Looking at the plug-in's windows and at the host's own objects.
#include <windows.h>

#include <algorithm>
#include <cstdio>
// clang-format off
#include <commctrl.h>
#include <psapi.h>
// clang-format on

#include "tools/hostsim/font_probe.h"
#include "tools/hostsim/grid_cell_probe.h"
#include "tools/hostsim/host_window.h"
#include "tools/hostsim/list_view_probe.h"
#include "tools/hostsim/session.h"
#include "tools/hostsim/text_format.h"
#include "tools/hostsim/window_probe.h"

namespace qxqy::hostsim {

namespace {

constexpr char kGridClass[] = "QxqyStringGrid";
// The colour the plug-in paints its grid lines in (silver).
constexpr COLORREF kGridLineColour = RGB(192, 192, 192);

std::string ColourName(COLORREF colour) {
  if (colour == CLR_DEFAULT) return "default";
  if (colour == RGB(0, 0, 0)) return "black";
  if (colour == RGB(255, 0, 0)) return "red";
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                GetBValue(colour));
  return text;
}

std::string Rectangle(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

HWND FirstDescendant(HWND window, const char* class_name) {
  const auto found = DescendantsOfClass(window, class_name);
  return found.empty() ? nullptr : found.front();
}

}  // namespace

void Session::Show(const Command& command) {
  const std::string& what = command.args[0];
  if (what == "windows") return ShowWindows(command);
  if (what == "objects") return ShowObjects(command);
  if (what == "memory") return ShowMemory(command);
  const std::string default_target = what == "list" ? "multipliers" : "main";
  HWND window = TargetWindow(command, command.args.size() > 1 ? command.args[1] : default_target);
  if (!window) return;
  if (what == "caption") ShowCaption(command, window);
  if (what == "score") ShowScore(command, window);
  if (what == "grid") ShowGrid(command, window);
  if (what == "buttons") ShowButtons(command, window);
  if (what == "window") ShowWindow(command, window);
  if (what == "owner") ShowOwner(command, window);
  if (what == "list") ShowList(command, window);
  if (what == "button-layout") ShowButtonLayout(command, window);
  if (what == "grid-cells") ShowGridCells(command, window);
  if (what == "fonts") ShowFonts(command, window);
}

void Session::ShowCaption(const Command& command, HWND window) {
  Print(command, QuoteText(WindowText(window)));
}

void Session::ShowScore(const Command& command, HWND window) {
  HWND label = FirstDescendant(window, "Static");
  Print(command, label ? QuoteText(WindowText(label)) : "no static control");
}

void Session::ShowGrid(const Command& command, HWND window) {
  HWND grid = FirstDescendant(window, kGridClass);
  if (!grid) {
    Print(command, "no grid control");
    return;
  }
  for (const auto& row : ReadGrid(grid)) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) line += (i ? "|" : "") + EscapeText(row[i], "|");
    Print(command, line);
  }
}

void Session::ShowButtons(const Command& command, HWND window) {
  const auto buttons = ReadButtons(window);
  if (buttons.empty()) Print(command, "none");
  for (const auto& button : buttons) {
    std::string line = QuoteText(button.caption) + (button.enabled ? " enabled" : " disabled");
    if (button.checked) line += *button.checked ? " checked" : " unchecked";
    if (!button.visible) line += " hidden";
    Print(command, line);
  }
}

void Session::ShowWindow(const Command& command, HWND window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(window, &placement);
  RECT client{};
  GetClientRect(window, &client);
  std::string line = IsWindowVisible(window) ? "visible" : "hidden";
  line += IsIconic(window) ? " minimised" : IsZoomed(window) ? " maximised" : " normal";
  if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) line += " topmost";
  line += " placement " + Rectangle(placement.rcNormalPosition);
  line += " client " + std::to_string(client.right) + "x" + std::to_string(client.bottom);
  Print(command, line);
}

void Session::ShowOwner(const Command& command, HWND window) {
  HWND owner = GetWindow(window, GW_OWNER);
  if (!owner) return Print(command, "none");
  if (owner == main_window_) return Print(command, "the main window");
  Print(command, "window " + QuoteText(WindowText(owner)));
}

void Session::ShowWindows(const Command& command) {
  std::vector<std::string> lines;
  for (HWND window : ProcessTopLevelWindows(true)) {
    if (IsHostWindow(window)) continue;
    lines.push_back(QuoteText(WindowText(window)) + (window == main_window_ ? " (main)" : ""));
  }
  std::sort(lines.begin(), lines.end());
  if (lines.empty()) Print(command, "none");
  for (const auto& line : lines) Print(command, line);
}

void Session::ShowList(const Command& command, HWND window) {
  HWND list = FirstDescendant(window, "SysListView32");
  if (!list) {
    Print(command, "no list control");
    return;
  }
  const auto items = ReadListItems(list);
  if (items.empty()) Print(command, "empty");
  for (const auto& item : items) {
    std::string line = QuoteText(item.text);
    if (!item.custom_drawn) {
      line += " plain";
    } else {
      line += " " + ColourName(item.text_colour) + (item.bold ? " bold" : " regular");
      if (item.font_changed && !item.reported_new_font)
        line += " (font changed without CDRF_NEWFONT)";
    }
    Print(command, line);
  }
}

void Session::ShowObjects(const Command& command) {
  const auto& live = DispatchObject::LiveObjects();
  auto count = [&live](const char* kind) {
    const auto found = live.find(kind);
    return std::to_string(found == live.end() ? 0 : found->second);
  };
  Print(command, "connections " + count("connections") + ", recordsets " + count("recordsets") +
                     ", fields-collections " + count("fields-collections") + ", fields " +
                     count("fields"));
}

void Session::ShowButtonLayout(const Command& command, HWND window) {
  const auto buttons = ReadButtons(window);
  if (buttons.empty()) Print(command, "none");
  for (const auto& button : buttons) {
    // In the coordinates of the button's parent, as the layout places it.
    RECT place = button.screen;
    MapWindowPoints(nullptr, GetParent(button.window), reinterpret_cast<POINT*>(&place), 2);
    Print(command, QuoteText(button.caption) + " at " + std::to_string(place.left) + "," +
                       std::to_string(place.top) + " size " +
                       std::to_string(place.right - place.left) + "x" +
                       std::to_string(place.bottom - place.top));
  }
}

void Session::ShowGridCells(const Command& command, HWND window) {
  HWND grid = FirstDescendant(window, kGridClass);
  if (!grid) return Print(command, "no grid control");
  const std::optional<Picture> picture = PaintClient(grid);
  if (!picture) return Print(command, "cannot paint the grid");
  const GridCells cells = FindGridCells(*picture, kGridLineColour);
  const auto spans = [](const std::vector<PixelSpan>& list) {
    std::string text;
    for (const PixelSpan& span : list) {
      text += " " + std::to_string(span.begin) + "-" + std::to_string(span.end);
    }
    return text.empty() ? std::string(" none") : text;
  };
  Print(command, "client " + std::to_string(cells.width) + "x" + std::to_string(cells.height));
  Print(command, "columns" + spans(cells.columns));
  Print(command, "rows" + spans(cells.rows));
}

void Session::ShowFonts(const Command& command, HWND window) {
  const std::vector<ControlFont> fonts = ReadControlFonts(window);
  if (fonts.empty()) Print(command, "none");
  for (const ControlFont& font : fonts) {
    Print(command, font.class_name + " " + QuoteText(font.name) + " " +
                       std::to_string(font.height) + (font.bold ? " bold" : " regular"));
  }
}

void Session::ShowMemory(const Command& command) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
    Print(command, "error " + std::to_string(GetLastError()));
    return;
  }
  const auto kilobytes = [](SIZE_T bytes) { return std::to_string(bytes / 1024) + " KB"; };
  Print(command, "working-set " + kilobytes(counters.WorkingSetSize) + ", peak working-set " +
                     kilobytes(counters.PeakWorkingSetSize) + ", pagefile " +
                     kilobytes(counters.PagefileUsage) + ", peak pagefile " +
                     kilobytes(counters.PeakPagefileUsage));
}

}  // namespace qxqy::hostsim
