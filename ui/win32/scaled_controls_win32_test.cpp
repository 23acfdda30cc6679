// The native side of a layout scaled for the screen's density: the screen's
// pixels per inch as the process sees it, and native controls that take the
// scaled metrics from their widgets (fonts, the grid's cells, the list's
// item rectangles, which follow its font).
#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: the common controls header builds on it.
#include <commctrl.h>

#include <string>

#include "base/win32/handles.h"
#include "ui/button.h"
#include "ui/dpi_scale.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/screen.h"
#include "ui/string_grid.h"
#include "ui/testing/framework_fixture.h"
#include "ui/win32/window_peer.h"

namespace qxqy::win32 {
namespace {

// A window laid out for 144 pixels per inch whatever the screen says, so
// that the native controls get metrics that differ from the design's.
class ScaledForm : public Form {
 public:
  explicit ScaledForm(Component* owner)
      : Form(owner, "scaled", "TQxqyScaledForm"),
        button(this, "button", this),
        grid(this, "grid", this),
        list(this, "list", this) {
    const DpiScale scale(144);
    SetBounds(40, 40, 0, 0);
    SetClientSize(scale(328) + 200, scale(193));
    Font font;
    font.height = scale(11);
    SetFont(font);
    button.SetCaption("Recalc");
    button.SetBoundsRect(scale.Bounds(121, 160, 102, 25));
    grid.SetSize(5, 8);
    grid.SetColWidth(scale(64));
    grid.SetRowHeight(scale(17));
    grid.SetColor(Rgb(253, 255, 206));
    grid.SetBoundsRect(scale.Bounds(0, 0, 328, 149));
    list.SetBounds(scale(328), 0, 200, 200);
    for (const char* caption : {"ALB", "BEX", "CAR"}) list.AddItem(caption);
  }

  Button button;
  StringGrid grid;
  ListView list;
};

HWND WindowOf(const Control& control) {
  return dynamic_cast<const WindowPeer*>(control.Peer())->hwnd();
}

LOGFONTA FontOf(HWND window) {
  LOGFONTA font{};
  const auto handle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  if (handle != nullptr) GetObjectA(handle, sizeof font, &font);
  return font;
}

RECT ItemRect(HWND list, int index) {
  RECT rect{};
  rect.left = LVIR_BOUNDS;
  SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

class ScaledControlsWin32Test : public qxqy::testing::FrameworkTest {
 protected:
  ScaledControlsWin32Test() { form_.HandleNeeded(); }
  ScaledForm& form_ = *App().CreateForm<ScaledForm>();
};

TEST_F(ScaledControlsWin32Test, FormsAreLaidOutForTheScreensPixelsPerInch) {
  WindowDc screen(nullptr);
  const int logical = GetDeviceCaps(screen.get(), LOGPIXELSY);
  EXPECT_EQ(ScreenPixelsPerInch(), logical);
  EXPECT_EQ(form_.PixelsPerInch(), logical);
}

TEST_F(ScaledControlsWin32Test, ControlsGetTheirScaledFonts) {
  EXPECT_EQ(FontOf(WindowOf(form_.button)).lfHeight, -17) << "the character height, 11 at 96";
  EXPECT_EQ(FontOf(WindowOf(form_.list)).lfHeight, -17);
}

TEST_F(ScaledControlsWin32Test, GridPaintsItsScaledCellsWithOnePixelLines) {
  const HWND grid = WindowOf(form_.grid);
  WindowDc screen(grid);
  UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(
      CreateCompatibleBitmap(screen.get(), form_.grid.Width(), form_.grid.Height()));
  SelectedObject selected(memory.get(), bitmap.get());
  SendMessageA(grid, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
  const COLORREF line = RGB(192, 192, 192);
  const COLORREF cell = RGB(253, 255, 206);
  EXPECT_EQ(GetPixel(memory.get(), 95, 5), cell) << "column 0 is 96 wide";
  EXPECT_EQ(GetPixel(memory.get(), 96, 5), line);
  EXPECT_EQ(GetPixel(memory.get(), 97, 5), cell) << "one pixel of line";
  EXPECT_EQ(GetPixel(memory.get(), 193, 5), line) << "after column 1";
  EXPECT_EQ(GetPixel(memory.get(), 5, 25), cell) << "row 0 is 26 high";
  EXPECT_EQ(GetPixel(memory.get(), 5, 26), line);
  EXPECT_EQ(GetPixel(memory.get(), 5, 27), cell);
  EXPECT_EQ(GetPixel(memory.get(), 5, 7 * 27 + 26), line) << "after the last row";
}

TEST_F(ScaledControlsWin32Test, ListItemsGrowWithTheListsFont) {
  const HWND list = WindowOf(form_.list);
  const RECT large = ItemRect(list, 0);
  Font design = form_.list.GetFont();
  design.height = 11;
  form_.list.SetFont(design);
  const RECT small = ItemRect(list, 0);
  EXPECT_GE(large.bottom - large.top, 17) << "an item is at least as high as its font";
  EXPECT_GT(large.bottom - large.top, small.bottom - small.top);
  EXPECT_GT(ItemRect(list, 1).top, ItemRect(list, 0).top) << "one item under the other";
}

}  // namespace
}  // namespace qxqy::win32
