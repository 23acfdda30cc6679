#include "tools/hostsim/window_probe.h"

#include <gtest/gtest.h>

#include "tools/hostsim/list_view_probe.h"
#include "tools/hostsim/unique_handle.h"

// clang-format off
#include <commctrl.h>
// clang-format on

namespace qxqy::hostsim {
namespace {

struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle window) noexcept { DestroyWindow(window); }
};
using Window = UniqueHandle<WindowTraits>;

constexpr char kGridText[] = "Band\tQSOs\r\n14\t\r\n";

LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_GETTEXTLENGTH) return sizeof kGridText - 1;
  if (message == WM_GETTEXT) {
    lstrcpynA(reinterpret_cast<char*>(lparam), kGridText, static_cast<int>(wparam));
    return lstrlenA(reinterpret_cast<char*>(lparam));
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

// Draws item 1 red and bold, every other item black, as a multiplier list does.
LRESULT CALLBACK CustomDrawProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lparam)->code == NM_CUSTOMDRAW) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lparam);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    const bool worked = draw->nmcd.dwItemSpec == 1;
    draw->clrText = worked ? RGB(255, 0, 0) : RGB(0, 0, 0);
    SelectObject(draw->nmcd.hdc, GetStockObject(worked ? SYSTEM_FONT : DEFAULT_GUI_FONT));
    return CDRF_NEWFONT;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

class WindowProbeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA window_class{};
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpfnWndProc = GridProc;
    window_class.lpszClassName = "ProbeTestGrid";
    RegisterClassA(&window_class);
    window_class.lpfnWndProc = CustomDrawProc;
    window_class.lpszClassName = "ProbeTestCustomDraw";
    RegisterClassA(&window_class);
  }

  static HWND Child(const char* class_name, const char* text, DWORD style, int x, int y,
                    HWND parent) {
    return CreateWindowExA(0, class_name, text, WS_CHILD | WS_VISIBLE | style, x, y, 40, 20, parent,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  }

  static Window TopLevel(const char* class_name, const char* caption) {
    return Window(CreateWindowExA(0, class_name, caption, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  }

  static HWND AddList(HWND parent, std::initializer_list<const char*> items) {
    HWND list = Child(WC_LISTVIEWA, "", LVS_LIST, 0, 40, parent);
    int index = 0;
    for (const char* text : items) {
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = index++;
      item.pszText = const_cast<char*>(text);
      SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    return list;
  }
};

TEST_F(WindowProbeTest, FindsWindowsAndChildrenAndReadsTheGrid) {
  Window main = TopLevel("STATIC", "Probe main");
  HWND grid = Child("ProbeTestGrid", "", 0, 0, 0, main.get());
  Child("Static", "Score: 0", 0, 0, 100, main.get());

  EXPECT_EQ(FindProcessWindow("Probe main"), main.get());
  EXPECT_EQ(FindProcessWindow("Probe"), nullptr);
  EXPECT_EQ(DescendantsOfClass(main.get(), "probetestgrid"), std::vector<HWND>{grid});
  EXPECT_EQ(WindowText(DescendantsOfClass(main.get(), "Static").at(0)), "Score: 0");
  const std::vector<std::vector<std::string>> cells = {{"Band", "QSOs"}, {"14", ""}};
  EXPECT_EQ(ReadGrid(grid), cells);
}

TEST_F(WindowProbeTest, ReadsButtonsInScreenOrderWithTheirStates) {
  Window main = TopLevel("STATIC", "Probe buttons");
  Child("Button", "&Second", BS_PUSHBUTTON | WS_DISABLED, 100, 0, main.get());
  HWND radio = Child("Button", "14", BS_AUTORADIOBUTTON | BS_PUSHLIKE, 0, 30, main.get());
  Child("Button", "First", BS_PUSHBUTTON, 0, 0, main.get());
  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);

  const auto buttons = ReadButtons(main.get());
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_EQ(buttons[0].caption, "First");
  EXPECT_TRUE(buttons[0].enabled);
  EXPECT_FALSE(buttons[0].checked.has_value());
  EXPECT_EQ(PlainCaption(buttons[1].caption), "Second");
  EXPECT_FALSE(buttons[1].enabled);
  EXPECT_EQ(buttons[2].caption, "14");
  EXPECT_EQ(buttons[2].checked, std::optional<bool>(true));
}

TEST_F(WindowProbeTest, FindsTheCloseBoxOnlyWhereTheFrameHasOne) {
  // A class left to the default window procedure (a static control answers
  // every hit test as transparent).
  Window framed = TopLevel("ProbeTestGrid", "Probe close box");
  const auto point = FindCloseBox(framed.get());
  ASSERT_TRUE(point);
  EXPECT_EQ(SendMessageA(framed.get(), WM_NCHITTEST, 0, MAKELPARAM(point->x, point->y)), HTCLOSE);

  Window bare(CreateWindowExA(0, "ProbeTestGrid", "Probe no frame", WS_POPUP, 10, 10, 100, 50,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  EXPECT_FALSE(FindCloseBox(bare.get()));
}

TEST_F(WindowProbeTest, PlainCaptionDropsAcceleratorMarks) {
  EXPECT_EQ(PlainCaption("&Recalc"), "Recalc");
  EXPECT_EQ(PlainCaption("R&&D"), "R&D");
  EXPECT_EQ(PlainCaption("end&"), "end&");
}

TEST_F(WindowProbeTest, ListItemsTakeTheColourAndFontTheParentChooses) {
  Window drawn = TopLevel("ProbeTestCustomDraw", "Probe drawn list");
  const auto items = ReadListItems(AddList(drawn.get(), {"AAA", "BBB"}));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].text, "AAA");
  EXPECT_EQ(items[0].text_colour, RGB(0, 0, 0));
  EXPECT_FALSE(items[0].bold);
  EXPECT_EQ(items[1].text_colour, RGB(255, 0, 0));
  EXPECT_TRUE(items[1].bold);
  EXPECT_TRUE(items[1].font_changed && items[1].reported_new_font);

  Window plain = TopLevel("STATIC", "Probe plain list");
  const auto undrawn = ReadListItems(AddList(plain.get(), {"CCC"}));
  ASSERT_EQ(undrawn.size(), 1u);
  EXPECT_FALSE(undrawn[0].custom_drawn);
  EXPECT_EQ(undrawn[0].text_colour, CLR_DEFAULT);
}

}  // namespace
}  // namespace qxqy::hostsim
