// The headless screen's work area can be moved by tests, to model a task
// bar at the top or left of the screen, where the work area's corner is not
// the screen's and the placement record's coordinates differ from the
// window rectangle's.
#pragma once

#include "ui/graphics.h"

namespace qxqy::posix {

// While alive, ScreenWorkArea() answers `work_area`. Overrides nest.
class ScopedWorkArea {
 public:
  explicit ScopedWorkArea(const Rect& work_area);
  ~ScopedWorkArea();
  ScopedWorkArea(const ScopedWorkArea&) = delete;
  ScopedWorkArea& operator=(const ScopedWorkArea&) = delete;

 private:
  Rect previous_;
};

}  // namespace qxqy::posix
