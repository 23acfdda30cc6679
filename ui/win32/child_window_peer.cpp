#include "ui/win32/child_window_peer.h"

#include <algorithm>
#include <vector>

#include "ui/win32/native_graphics.h"

namespace qxqy::win32 {

namespace {
UINT_PTR NextControlId() {
  static UINT_PTR next = 1000;
  return ++next;
}
}  // namespace

ChildWindowPeer::~ChildWindowPeer() { DestroyNativeWindow(); }

void ChildWindowPeer::CreateChild(const std::string& class_name, bool standard_control, DWORD style,
                                  DWORD ex_style, const std::string& text) {
  CreateArgs args;
  args.class_name = class_name;
  args.text = text;
  args.style = style | WS_CHILD | WS_CLIPSIBLINGS;
  if (control_.Visible()) args.style |= WS_VISIBLE;
  if (!control_.Enabled()) args.style |= WS_DISABLED;
  if (control_.TabStop()) args.style |= WS_TABSTOP;
  args.ex_style = ex_style;
  args.bounds = control_.BoundsRect();
  args.parent = ParentWindowOf(control_);
  args.id = NextControlId();
  if (standard_control) {
    CreateStandardControl(args);
  } else {
    CreateOwnWindow(args);
  }
  handle_value_ = HandleValue(hwnd());
  ApplyFont();
  // The control does not hold this peer yet: name its window explicitly.
  if (control_.Parent() != nullptr) ApplyTabOrder(*control_.Parent(), &control_, hwnd());
}

void ChildWindowPeer::Update(Change what) {
  if (hwnd() == nullptr) return;
  switch (what) {
    case Change::kBounds: {
      const Rect& bounds = control_.BoundsRect();
      MoveWindow(hwnd(), bounds.left, bounds.top, bounds.Width(), bounds.Height(), TRUE);
      break;
    }
    case Change::kEnabled:
      EnableWindow(hwnd(), control_.Enabled() ? TRUE : FALSE);
      break;
    case Change::kFont:
      ApplyFont();
      break;
    case Change::kTabOrder:
      ApplyTabStop();
      if (control_.Parent() != nullptr) ApplyTabOrder(*control_.Parent());
      break;
    default:
      break;
  }
  UpdateKind(what);
}

void ChildWindowPeer::UpdateKind(Change what) {
  if (what == Change::kColor) Invalidate();
}

void ChildWindowPeer::Invalidate() {
  if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, TRUE);
}

void ChildWindowPeer::Repaint() {
  if (hwnd() == nullptr) return;
  RedrawWindow(hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void ChildWindowPeer::ApplyFont() {
  UniqueFont font = CreateNativeFont(control_.GetFont());
  SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  font_ = std::move(font);  // the old font goes only after the window let go of it
}

void ChildWindowPeer::ApplyTabStop() {
  LONG_PTR style = GetWindowLongPtrA(hwnd(), GWL_STYLE);
  style = control_.TabStop() ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  SetWindowLongPtrA(hwnd(), GWL_STYLE, style);
}

void ApplyTabOrder(const Control& parent, const Control* newcomer, HWND newcomer_window) {
  std::vector<std::pair<const Control*, HWND>> windows;
  for (const Control* child : parent.Children()) {
    const auto* peer = dynamic_cast<const WindowPeer*>(child->Peer());
    const HWND window = child == newcomer ? newcomer_window
                        : peer != nullptr ? peer->hwnd()
                                          : nullptr;
    if (window != nullptr) windows.emplace_back(child, window);
  }
  std::stable_sort(windows.begin(), windows.end(), [](const auto& a, const auto& b) {
    return a.first->TabOrder() < b.first->TabOrder();
  });
  HWND after = HWND_TOP;
  for (const auto& entry : windows) {
    SetWindowPos(entry.second, after, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    after = entry.second;
  }
}

}  // namespace qxqy::win32
