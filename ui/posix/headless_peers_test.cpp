// The headless backend plays the platform's part for the native tests, so
// what it does wrong the native suite cannot see: a repaint paints every
// cell of a grid and draws every item of a list exactly once, and the
// default system commands do what the Windows frame does.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/string_grid.h"
#include "ui/testing/framework_fixture.h"

namespace qxqy {
namespace {

class PaintedForm : public Form {
 public:
  explicit PaintedForm(Component* owner)
      : Form(owner, "painted", "TPaintedForm"),
        grid(this, "grid", this),
        list(this, "list", this) {}

  StringGrid grid;
  ListView list;
};

class HeadlessPeersTest : public testing::FrameworkTest {
 protected:
  PaintedForm& form_ = *App().CreateForm<PaintedForm>();
};

TEST_F(HeadlessPeersTest, ARepaintPaintsEveryGridCellAndListItemOnce) {
  form_.grid.SetSize(3, 2);
  std::map<std::pair<int, int>, int> cells;
  form_.grid.OnDrawCell = [&](StringGrid&, Canvas&, int col, int row, const Rect&) {
    ++cells[{col, row}];
  };
  for (const char* caption : {"C", "A", "B"}) form_.list.AddItem(caption);
  std::map<int, int> items;
  form_.list.OnCustomDrawItem = [&](ListView&, int index, Font&) { ++items[index]; };
  form_.Show();
  cells.clear();
  items.clear();

  form_.grid.Repaint();
  form_.list.Repaint();
  EXPECT_EQ(cells,
            (std::map<std::pair<int, int>, int>{
                {{0, 0}, 1}, {{1, 0}, 1}, {{2, 0}, 1}, {{0, 1}, 1}, {{1, 1}, 1}, {{2, 1}, 1}}));
  EXPECT_EQ(items, (std::map<int, int>{{0, 1}, {1, 1}, {2, 1}}));
}

TEST_F(HeadlessPeersTest, TheDefaultSystemCommandsMinimiseMaximiseRestoreAndClose) {
  form_.Show();
  const struct {
    unsigned command;
    WindowState state;
    bool visible;
  } steps[] = {
      {kScMinimize | 0x3, WindowState::kMinimized, true},  // low bits are the platform's
      {kScRestore, WindowState::kNormal, true},
      {kScMaximize, WindowState::kMaximized, true},
      {kScRestore, WindowState::kNormal, true},
      {0xF010, WindowState::kNormal, true},  // a move: nothing to do headless
      {kScClose, WindowState::kNormal, false},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.command);
    form_.SysCommand(step.command);
    EXPECT_EQ(form_.GetWindowState(), step.state);
    EXPECT_EQ(form_.Visible(), step.visible);
  }
}

}  // namespace
}  // namespace qxqy
