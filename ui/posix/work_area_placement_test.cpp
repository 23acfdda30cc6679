// The stored placement is the platform's placement record, whose normal
// position is in work-area coordinates. With the task bar at the top or
// left of the screen those differ from screen coordinates; the headless
// screen models that by moving its work area.
#include <gtest/gtest.h>

#include "ui/form_storage.h"
#include "ui/posix/headless_screen.h"
#include "ui/screen.h"
#include "ui/testing/framework_fixture.h"

namespace qxqy {
namespace {

constexpr char kSection[] = "TPlacedForm";

class PlacedForm : public Form {
 public:
  explicit PlacedForm(Component* owner)
      : Form(owner, "placed", kSection), storage(this, "storage") {
    SetBounds(1009, 201, 334, 222);
  }
  FormStorage storage;
};

class WorkAreaPlacementTest : public testing::FrameworkTest {
 protected:
  PlacedForm& NewForm() { return *App().CreateForm<PlacedForm>(); }
  void SaveNormPos(const std::string& norm_pos) {
    store_.Set(kSection, "PixelsPerInch", std::to_string(ScreenPixelsPerInch()));
    store_.Set(kSection, "NormPos", norm_pos);
  }
  std::string Saved(const char* name) { return store_.Get(kSection, name).value_or("<none>"); }
};

TEST_F(WorkAreaPlacementTest, NormalPositionIsSavedAndRestoredInWorkAreaCoordinates) {
  const struct {
    const char* task_bar;
    Rect work_area;
    const char* norm_pos;  // as stored
    Rect on_screen;        // where the window stands
  } cases[] = {
      {"bottom", {0, 0, 1920, 1040}, "100,50,434,272", {100, 50, 434, 272}},
      {"top", {0, 40, 1920, 1080}, "100,50,434,272", {100, 90, 434, 312}},
      {"left", {60, 0, 1920, 1080}, "100,50,434,272", {160, 50, 494, 272}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("task bar at the ") + c.task_bar);
    posix::ScopedWorkArea work_area(c.work_area);
    SaveNormPos(c.norm_pos);
    PlacedForm& restored = NewForm();
    restored.Show();
    EXPECT_EQ(restored.BoundsRect(), c.on_screen);
    restored.Close();
    EXPECT_EQ(Saved("NormPos"), c.norm_pos) << "saved as read: nothing drifts across restarts";
  }
}

TEST_F(WorkAreaPlacementTest, ScreenCheckLooksAtScreenCoordinates) {
  posix::ScopedWorkArea task_bar_left(Rect{200, 0, 1920, 1080});
  // Left of the work area but on the screen: applied.
  SaveNormPos("-150,10,184,232");
  PlacedForm& on_screen = NewForm();
  on_screen.Show();
  EXPECT_EQ(on_screen.Left(), 50);
  // On the screen in work-area numbers, but off it once converted: ignored.
  SaveNormPos("1800,10,2134,232");
  PlacedForm& off_screen = NewForm();
  off_screen.Show();
  EXPECT_EQ(off_screen.Left(), 1009);
}

TEST_F(WorkAreaPlacementTest, PlacementRecordFollowsTheWindowState) {
  posix::ScopedWorkArea task_bar_top(Rect{0, 30, 1920, 1080});
  PlacedForm& form = NewForm();
  form.Show();
  form.Minimize();
  const WindowPlacement placement = form.Placement();
  EXPECT_EQ(placement.show_command, kShowCmdMinimized);
  EXPECT_EQ(placement.normal_position, (Rect{1009, 171, 1343, 393}));
  form.Close();
  EXPECT_EQ(Saved("ShowCmd"), "2");
  EXPECT_EQ(Saved("Flags"), "0");
  EXPECT_EQ(Saved("MinMaxPos"), "-1,-1,-1,-1");
  EXPECT_EQ(Saved("NormPos"), "1009,171,1343,393");
}

}  // namespace
}  // namespace qxqy
