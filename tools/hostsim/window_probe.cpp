#include "tools/hostsim/window_probe.h"

#include <algorithm>

namespace qxqy::hostsim {

namespace {

struct ChildSearch {
  std::string class_name;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<ChildSearch*>(param);
  if (lstrcmpiA(ClassName(window).c_str(), search.class_name.c_str()) == 0) {
    search.found.push_back(window);
  }
  return TRUE;
}

struct TopLevelSearch {
  bool visible_only;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<TopLevelSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && (!search.visible_only || IsWindowVisible(window))) {
    search.found.push_back(window);
  }
  return TRUE;
}

std::optional<bool> CheckState(HWND button) {
  switch (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
    default:
      return std::nullopt;
  }
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + separator.size();
  }
}

}  // namespace

std::string WindowText(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return text;
}

std::string ClassName(HWND window) {
  char name[256];
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, static_cast<size_t>(std::max(length, 0)));
}

std::vector<HWND> DescendantsOfClass(HWND parent, const std::string& class_name) {
  ChildSearch search{class_name, {}};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> ProcessTopLevelWindows(bool visible_only) {
  TopLevelSearch search{visible_only, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindProcessWindow(const std::string& caption) {
  for (HWND window : ProcessTopLevelWindows(false)) {
    if (WindowText(window) == caption) return window;
  }
  return nullptr;
}

std::vector<std::vector<std::string>> ReadGrid(HWND grid) {
  std::vector<std::vector<std::string>> rows;
  std::string text = WindowText(grid);
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
    text.resize(text.size() - 2);
  for (const auto& row : Split(text, "\r\n")) rows.push_back(Split(row, "\t"));
  return rows;
}

std::vector<ButtonLook> ReadButtons(HWND window) {
  std::vector<ButtonLook> buttons;
  for (HWND button : DescendantsOfClass(window, "Button")) {
    ButtonLook look;
    look.window = button;
    look.caption = WindowText(button);
    look.enabled = IsWindowEnabled(button) != FALSE;
    look.visible = IsWindowVisible(button) != FALSE;
    look.checked = CheckState(button);
    GetWindowRect(button, &look.screen);
    buttons.push_back(look);
  }
  std::stable_sort(buttons.begin(), buttons.end(), [](const ButtonLook& a, const ButtonLook& b) {
    return a.screen.top != b.screen.top ? a.screen.top < b.screen.top
                                        : a.screen.left < b.screen.left;
  });
  return buttons;
}

std::optional<POINT> FindCloseBox(HWND window) {
  RECT frame{};
  if (!GetWindowRect(window, &frame)) return std::nullopt;
  const int caption_bottom = std::min<int>(
      frame.bottom, frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + 2);
  // The bounding box of every point the frame calls its close box.
  RECT box{frame.right, frame.bottom, frame.left, frame.top};
  for (int y = frame.top; y < caption_bottom; ++y) {
    for (int x = frame.left; x < frame.right; ++x) {
      if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != HTCLOSE) continue;
      box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                 std::max<LONG>(box.right, x), std::max<LONG>(box.bottom, y)};
    }
  }
  if (box.left > box.right) return std::nullopt;
  return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

std::string PlainCaption(const std::string& caption) {
  std::string plain;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    plain += caption[i];
  }
  return plain;
}

}  // namespace qxqy::hostsim
