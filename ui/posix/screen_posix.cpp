// The headless screen: one 1920 x 1080 screen at 96 pixels per inch, the
// work area above a 40-pixel task bar (tests may move the work area and
// change the density, see headless_screen.h), and a fixed-pitch font metric (each
// character half as wide as the font is high, rounded up), so that layout
// that depends on text widths is the same on every machine.
#include "ui/backend.h"
#include "ui/error_box.h"
#include "ui/posix/headless_screen.h"
#include "ui/screen.h"

namespace qxqy {

namespace {
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kTaskBarHeight = 40;
constexpr int kCaptionHeight = 19;

Rect work_area{0, 0, kScreenWidth, kScreenHeight - kTaskBarHeight};
int screen_pixels_per_inch = 96;
}  // namespace

posix::ScopedWorkArea::ScopedWorkArea(const Rect& area) : previous_(work_area) { work_area = area; }

posix::ScopedWorkArea::~ScopedWorkArea() { work_area = previous_; }

posix::ScopedScreenPixelsPerInch::ScopedScreenPixelsPerInch(int pixels_per_inch)
    : previous_(screen_pixels_per_inch) {
  screen_pixels_per_inch = pixels_per_inch;
}

posix::ScopedScreenPixelsPerInch::~ScopedScreenPixelsPerInch() {
  screen_pixels_per_inch = previous_;
}

int ScreenPixelsPerInch() { return screen_pixels_per_inch; }

Rect ScreenWorkArea() { return work_area; }

bool IsOnSomeScreen(const Rect& window) {
  return window.right > 0 && window.bottom > 0 && window.left < kScreenWidth &&
         window.top < kScreenHeight;
}

TextSize MeasureText(const Font& font, std::string_view text) {
  const int char_width = (font.height + 1) / 2;
  return TextSize{static_cast<int>(text.size()) * char_width, font.height};
}

Insets backend::FrameInsets(BorderStyle style) {
  const int border = style == BorderStyle::kSizeable ? 6 : 3;
  return Insets{border, border + kCaptionHeight, border, border};
}

void backend::ShowNativeErrorBox(const std::string&) {
  // Headless: the message is only recorded (see ErrorBoxLog).
}

}  // namespace qxqy
