// A top-level window's placement as Windows records it (the record that
// GetWindowPlacement gives and SetWindowPlacement takes), which is what the
// settings store keeps for each window, so that values written by an
// earlier plug-in restore to the same place.
//
// The normal position is in work-area coordinates: relative to the top-left
// corner of the work area, not of the screen. The two differ by the task
// bar's size when it stands at the top or left of the screen.
#pragma once

#include "ui/graphics.h"

namespace qxqy {

// ShowCmd values, as the platform numbers window show states.
inline constexpr int kShowCmdNormal = 1;
inline constexpr int kShowCmdMinimized = 2;
inline constexpr int kShowCmdMaximized = 3;

struct WindowPlacement {
  int flags = 0;
  int show_command = kShowCmdNormal;
  // The minimised and maximised positions' x and y, in the order the store
  // writes them ("MinMaxPos"); -1 where the platform has none.
  int min_x = -1;
  int min_y = -1;
  int max_x = -1;
  int max_y = -1;
  // The rectangle of the window when it is neither minimised nor maximised,
  // in work-area coordinates.
  Rect normal_position;
};

// Work-area coordinates of the screen rectangle `screen`, and back, for a
// work area whose top-left corner is at (`work_area.left`, `work_area.top`).
inline Rect ScreenToWorkArea(const Rect& screen, const Rect& work_area) {
  return Rect{screen.left - work_area.left, screen.top - work_area.top,
              screen.right - work_area.left, screen.bottom - work_area.top};
}
inline Rect WorkAreaToScreen(const Rect& workspace, const Rect& work_area) {
  return Rect{workspace.left + work_area.left, workspace.top + work_area.top,
              workspace.right + work_area.left, workspace.bottom + work_area.top};
}

}  // namespace qxqy
