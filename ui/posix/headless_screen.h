// The headless screen can be changed by tests: its work area, to model a
// task bar at the top or left of the screen, where the work area's corner is
// not the screen's and the placement record's coordinates differ from the
// window rectangle's; and its pixels per inch (96 unless changed), to lay
// windows out for another screen density.
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

// While alive, ScreenPixelsPerInch() answers `pixels_per_inch`; a form
// created meanwhile is laid out for it. Overrides nest.
class ScopedScreenPixelsPerInch {
 public:
  explicit ScopedScreenPixelsPerInch(int pixels_per_inch);
  ~ScopedScreenPixelsPerInch();
  ScopedScreenPixelsPerInch(const ScopedScreenPixelsPerInch&) = delete;
  ScopedScreenPixelsPerInch& operator=(const ScopedScreenPixelsPerInch&) = delete;

 private:
  int previous_;
};

}  // namespace qxqy::posix
