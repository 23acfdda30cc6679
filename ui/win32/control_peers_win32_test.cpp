// The child controls as standard windows: what test tools read from them
// (window text, BM_GETCHECK, list items), what they do on BM_CLICK, and how
// the grid and the list paint through the widgets' handlers.
#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: the common controls header builds on it.
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/win32/handles.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "ui/screen.h"
#include "ui/string_grid.h"
#include "ui/testing/framework_fixture.h"
#include "ui/toggle_button.h"
#include "ui/win32/flat_button_painter.h"
#include "ui/win32/native_graphics.h"
#include "ui/win32/window_peer.h"

namespace qxqy::win32 {
namespace {

constexpr Color kPaleYellow = Rgb(253, 255, 206);

class ControlsForm : public Form {
 public:
  explicit ControlsForm(Component* owner)
      : Form(owner, "controls", "TQxqyControlsForm"),
        panel(this, "panel", this),
        label(this, "label", &panel),
        recalc(this, "recalc", &panel),
        district(this, "district", &panel),
        grid(this, "grid", this),
        list(this, "list", this) {
    SetBounds(40, 40, 0, 0);
    SetClientSize(528, 193);  // the list stands beside the grid
    panel.SetHeight(44);
    Dock(nullptr, nullptr, &panel);
    Font label_font;
    label_font.name = "Courier";
    label_font.height = 13;
    label_font.bold = true;
    label_font.color = kColorBlue;
    label.SetFont(label_font);
    label.SetBounds(8, 0, 0, 0);
    recalc.SetCaption("Recalc");
    recalc.SetBounds(121, 18, 102, 25);
    recalc.SetGlyph(RefreshGlyph());
    recalc.SetTabOrder(1);
    district.SetCaption("District");
    district.SetBounds(224, 18, 102, 25);
    district.SetGlyph(ListGlyph());
    district.SetTabOrder(0);
    grid.SetSize(5, 8);
    grid.SetColWidth(64);
    grid.SetRowHeight(17);
    grid.SetColor(kPaleYellow);
    grid.SetEnabled(false);
    grid.SetBounds(0, 0, 328, 149);
    list.SetBounds(328, 0, 200, 100);
  }

  Panel panel;
  Label label;
  Button recalc;
  Button district;
  StringGrid grid;
  ListView list;
};

HWND WindowOf(const Control& control) {
  return static_cast<const WindowPeer*>(dynamic_cast<const WindowPeer*>(control.Peer()))->hwnd();
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  const auto length = static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const auto copied = static_cast<size_t>(
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(copied);
  return text;
}

// A pixel of what `window` paints into a bitmap of its client size (WM_PRINTCLIENT).
COLORREF PrintedPixel(HWND window, int x, int y) {
  RECT client;
  GetClientRect(window, &client);
  WindowDc screen(window);
  UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
  SelectedObject selected(memory.get(), bitmap.get());
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
  return GetPixel(memory.get(), x, y);
}

class ControlPeersWin32Test : public qxqy::testing::FrameworkTest {
 protected:
  ControlPeersWin32Test() { form_.HandleNeeded(); }
  ControlsForm& form_ = *App().CreateForm<ControlsForm>();
};

TEST_F(ControlPeersWin32Test, ControlsAreStandardWindowsOfTheirKind) {
  struct Case {
    const Control* control;
    const char* class_name;
  };
  const Case cases[] = {
      {&form_.label, "Static"},       {&form_.recalc, "Button"},   {&form_.grid, "QxqyStringGrid"},
      {&form_.list, "SysListView32"}, {&form_.panel, "QxqyPanel"},
  };
  for (const Case& c : cases) {
    const HWND window = WindowOf(*c.control);
    EXPECT_TRUE(IsWindow(window)) << c.control->Name();
    EXPECT_STRCASEEQ(ClassOf(window).c_str(), c.class_name) << c.control->Name();
    EXPECT_EQ(GetParent(window), WindowOf(*c.control->Parent())) << c.control->Name();
    EXPECT_EQ(c.control->Peer()->NativeHandle(), HandleValue(window));
  }
  RECT bounds;
  GetWindowRect(WindowOf(form_.recalc), &bounds);
  MapWindowPoints(nullptr, WindowOf(form_.panel), reinterpret_cast<POINT*>(&bounds), 2);
  EXPECT_EQ((Rect{bounds.left, bounds.top, bounds.right, bounds.bottom}), (Rect{121, 18, 223, 43}));
}

TEST_F(ControlPeersWin32Test, GridAnswersWindowTextWithItsCells) {
  form_.grid.SetCell(0, 0, "Band");
  form_.grid.SetCell(4, 0, "WPX");
  form_.grid.SetCell(0, 7, "Total");
  const HWND grid = WindowOf(form_.grid);
  EXPECT_EQ(TextOf(grid), form_.grid.Text());
  EXPECT_EQ(TextOf(grid).substr(0, 12), "Band\t\t\t\tWPX\r");
  char small[6] = {'#', '#', '#', '#', '#', '#'};
  EXPECT_EQ(SendMessageA(grid, WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 5);
  EXPECT_STREQ(small, "Band\t") << "a short buffer gets what fits, terminated";
  EXPECT_FALSE(IsWindowEnabled(grid)) << "the grid takes no input";
}

TEST_F(ControlPeersWin32Test, GridPaintsEveryCellThroughItsHandler) {
  form_.grid.SetCell(1, 0, "QSOs");
  std::vector<std::pair<int, int>> painted;
  int text_width = 0;
  form_.grid.OnDrawCell = [&](StringGrid& sender, Canvas& canvas, int col, int row,
                              const Rect& rect) {
    painted.emplace_back(col, row);
    canvas.FillRect(rect);
    const std::string& text = sender.Cell(col, row);
    if (col == 1 && row == 0) text_width = canvas.TextWidth(text);
    canvas.DrawTextAt(rect.left + rect.Width() / 2 - canvas.TextWidth(text) / 2, rect.top, text);
  };
  // Paint into a bitmap of our own, where the pixels can be read back.
  const HWND grid = WindowOf(form_.grid);
  WindowDc screen(grid);
  UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 328, 149));
  SelectedObject selected(memory.get(), bitmap.get());
  SendMessageA(grid, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);

  EXPECT_EQ(painted.size(), 40u) << "5 columns x 8 rows";
  EXPECT_GT(text_width, 0);
  EXPECT_EQ(GetPixel(memory.get(), 10, 15), RGB(253, 255, 206)) << "inside cell (0, 0)";
  EXPECT_EQ(GetPixel(memory.get(), 64, 5), RGB(192, 192, 192)) << "the line after column 0";
  EXPECT_EQ(GetPixel(memory.get(), 5, 17), RGB(192, 192, 192)) << "the line after row 0";
  EXPECT_EQ(GetPixel(memory.get(), 70, 40), RGB(253, 255, 206)) << "inside cell (1, 2)";
}

TEST_F(ControlPeersWin32Test, ButtonClickReachesTheButtonAndFollowsItsEnabledState) {
  int recalc_clicks = 0;
  int district_clicks = 0;
  form_.recalc.OnClick = [&](Button&) { ++recalc_clicks; };
  form_.district.OnClick = [&](Button&) { ++district_clicks; };
  const HWND recalc = WindowOf(form_.recalc);
  EXPECT_EQ(TextOf(recalc), "Recalc");
  EXPECT_EQ(GetWindowLongA(recalc, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_TRUE(GetWindowLongA(recalc, GWL_STYLE) & WS_TABSTOP);

  SendMessageA(recalc, BM_CLICK, 0, 0);
  SendMessageA(WindowOf(form_.district), BM_CLICK, 0, 0);
  EXPECT_EQ(recalc_clicks, 1);
  EXPECT_EQ(district_clicks, 1);

  form_.recalc.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(recalc));
  SendMessageA(recalc, BM_CLICK, 0, 0);
  EXPECT_EQ(recalc_clicks, 1);
  form_.recalc.SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(recalc));
  form_.recalc.SetCaption("Again");
  EXPECT_EQ(TextOf(recalc), "Again");
}

TEST_F(ControlPeersWin32Test, ButtonsShowTheirPictureGreyedWhileDisabled) {
  form_.recalc.SetEnabled(false);
  const auto pixel = [](const Button& button, int x, int y) {
    return PrintedPixel(WindowOf(button), x, y);
  };
  // The picture sits 6 pixels in, centred in height: (6, 4) is its top-left corner.
  EXPECT_EQ(pixel(form_.district, 7, 5), RGB(64, 64, 64)) << "the list's frame";
  EXPECT_EQ(pixel(form_.district, 9, 8), RGB(255, 0, 0)) << "a bullet";
  EXPECT_EQ(pixel(form_.district, 6, 4), GetSysColor(COLOR_BTNFACE)) << "transparent";
  EXPECT_EQ(pixel(form_.recalc, 12, 5), GetSysColor(COLOR_BTNSHADOW)) << "greyed arrow";
}

TEST_F(ControlPeersWin32Test, TabOrderFollowsTheControlsTabOrder) {
  const HWND form = WindowFromValue(form_.Handle());
  const HWND first = GetNextDlgTabItem(form, nullptr, FALSE);
  EXPECT_EQ(first, WindowOf(form_.district));
  EXPECT_EQ(GetNextDlgTabItem(form, first, FALSE), WindowOf(form_.recalc));
}

// Three band buttons in one group, the middle one down.
class ToggleButtonPeersWin32Test : public ControlPeersWin32Test {
 protected:
  ToggleButtonPeersWin32Test() {
    for (int band = 1; band <= 3; ++band) {
      auto* button = form_.Create<ToggleButton>("band" + std::to_string(band), &form_.panel);
      button->SetCaption(std::to_string(band * 7));
      button->SetTag(band);
      button->SetTabStop(false);
      button->SetBounds(band * 36, 0, 36, 17);
      button->OnClick = [this](ToggleButton& sender) { clicked_.push_back(sender.Tag()); };
      bands_.push_back(button);
    }
    form_.HandleNeeded();
    bands_[1]->PushDown();
  }

  HWND Band(size_t index) const { return WindowOf(*bands_[index]); }
  std::string Checks() const {
    std::string state;
    for (size_t k = 0; k < bands_.size(); ++k) {
      state += SendMessageA(Band(k), BM_GETCHECK, 0, 0) == BST_CHECKED ? '1' : '0';
    }
    return state;
  }

  // Inside the face, clear of the frame, the shade and the caption.
  static constexpr int kFaceX = 3;
  static constexpr int kFaceY = 3;

  std::vector<ToggleButton*> bands_;
  std::vector<int> clicked_;
};

TEST_F(ToggleButtonPeersWin32Test, ButtonsStayPushLikeRadioButtonsReportingTheGroupsDownState) {
  EXPECT_EQ(Checks(), "010");
  SendMessageA(Band(2), BM_CLICK, 0, 0);
  EXPECT_EQ(Checks(), "001");
  SendMessageA(Band(2), BM_CLICK, 0, 0);
  EXPECT_EQ(Checks(), "001") << "a down button stays down";
  SendMessageA(Band(0), BM_CLICK, 0, 0);
  EXPECT_EQ(Checks(), "100");
  EXPECT_EQ(clicked_, (std::vector<int>{3, 3, 1}));
  for (size_t k = 0; k < bands_.size(); ++k) {
    const LONG style = GetWindowLongA(Band(k), GWL_STYLE);
    EXPECT_STRCASEEQ(ClassOf(Band(k)).c_str(), "Button");
    EXPECT_EQ(style & BS_TYPEMASK, BS_RADIOBUTTON) << "not owner-drawn: BM_GETCHECK must answer";
    EXPECT_TRUE(style & BS_PUSHLIKE);
    EXPECT_FALSE(style & WS_TABSTOP) << "checking a radio button must not make it a tab stop";
    EXPECT_EQ(TextOf(Band(k)), std::to_string((k + 1) * 7));
  }
}

TEST_F(ToggleButtonPeersWin32Test, FaceFollowsTheMouseThePressAndTheDownState) {
  const auto move_to = [this](size_t band, int x, int y) {
    SendMessageA(Band(band), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  };
  struct Step {
    const char* what;
    std::function<void()> act;
    size_t band;
    FlatLook look;
  };
  const Step steps[] = {
      {"an up button at rest", [] {}, 0, FlatLook::kPlain},
      {"the down button at rest", [] {}, 1, FlatLook::kDown},
      {"the mouse enters an up button", [&] { move_to(0, 5, 5); }, 0, FlatLook::kHot},
      {"the others stay as they were", [] {}, 2, FlatLook::kPlain},
      {"the mouse leaves it", [&] { SendMessageA(Band(0), WM_MOUSELEAVE, 0, 0); }, 0,
       FlatLook::kPlain},
      {"the mouse enters the down button", [&] { move_to(1, 30, 10); }, 1, FlatLook::kDownHot},
      {"a captured move outside it", [&] { move_to(1, -4, 10); }, 1, FlatLook::kDown},
      {"held pressed", [&] { SendMessageA(Band(2), BM_SETSTATE, TRUE, 0); }, 2, FlatLook::kDown},
      {"let go", [&] { SendMessageA(Band(2), BM_SETSTATE, FALSE, 0); }, 2, FlatLook::kPlain},
      {"disabled under the mouse",
       [&] {
         bands_[0]->SetEnabled(false);
         move_to(0, 5, 5);
       },
       0, FlatLook::kPlain},
  };
  for (const Step& step : steps) {
    step.act();
    // Read before any message is dispatched: the mouse is not really there.
    EXPECT_EQ(PrintedPixel(Band(step.band), kFaceX, kFaceY), ToColorRef(StyleOf(step.look).face))
        << step.what;
  }
  EXPECT_EQ(Checks(), "010") << "the mouse alone changes no state";
}

TEST_F(ToggleButtonPeersWin32Test, ScreenShowsTheFlatFaceAfterTheControlsOwnPainting) {
  form_.Show();
  UpdateWindow(WindowFromValue(form_.Handle()));
  const auto on_screen = [this](size_t band) {
    WindowDc dc(Band(band));
    return GetPixel(dc.get(), kFaceX, kFaceY);
  };
  EXPECT_EQ(on_screen(1), ToColorRef(kFlatDown.face)) << "painted in WM_PAINT";
  SendMessageA(Band(0), BM_CLICK, 0, 0);  // the control paints its own pressed face at once
  EXPECT_EQ(on_screen(0), ToColorRef(kFlatDown.face)) << "painted over the control's face";
  EXPECT_EQ(on_screen(1), ToColorRef(kFlatPlain.face));
  bands_[2]->PushDown();  // as the window does when it selects a band itself
  EXPECT_EQ(on_screen(2), ToColorRef(kFlatDown.face)) << "painted over the control's checked face";
  RedrawWindow(Band(2), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(on_screen(2), ToColorRef(kFlatDown.face)) << "erasing leaves no trace";
}

TEST_F(ControlPeersWin32Test, LabelShowsItsCaptionInBlueAndItsWidthFollowsTheText) {
  form_.label.SetCaption("Score: 30*(5+7)=360");
  const HWND label = WindowOf(form_.label);
  EXPECT_EQ(TextOf(label), "Score: 30*(5+7)=360");
  RECT client;
  GetClientRect(label, &client);
  EXPECT_EQ(client.right, MeasureText(form_.label.GetFont(), "Score: 30*(5+7)=360").width);

  WindowDc screen(label);
  UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  const auto brush =
      SendMessageA(WindowOf(form_.panel), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(memory.get()),
                   reinterpret_cast<LPARAM>(label));
  EXPECT_NE(brush, 0);
  EXPECT_EQ(GetTextColor(memory.get()), RGB(0, 0, 255));
  EXPECT_EQ(GetBkColor(memory.get()), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ControlPeersWin32Test, ListShowsTheItemsInTheWidgetsOrder) {
  for (const char* caption : {"MOW", "ABC", "KRA"}) form_.list.AddItem(caption);
  const HWND list = WindowOf(form_.list);
  const LONG style = GetWindowLongA(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_LIST);
  EXPECT_FALSE(style & WS_BORDER);
  EXPECT_FALSE(style & WS_TABSTOP);
  ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
  for (int index = 0; index < 3; ++index) {
    char text[16] = {};
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::string(text), form_.list.Caption(index)) << "item " << index;
  }
}

TEST_F(ControlPeersWin32Test, CustomDrawSetsTheColourAndSelectsTheItemsFont) {
  Font list_font;
  list_font.charset = kCyrillicCharset;
  form_.list.SetFont(list_font);
  for (const char* caption : {"ABC", "DEF"}) form_.list.AddItem(caption);
  form_.list.OnCustomDrawItem = [](ListView& sender, int index, Font& font) {
    if (sender.Caption(index) != "ABC") return;
    font.color = Rgb(255, 0, 0);
    font.bold = true;
  };
  const HWND list = WindowOf(form_.list);
  WindowDc screen(list);
  UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  const auto draw = [&](DWORD stage, int index, NMLVCUSTOMDRAW& nm) {
    nm = NMLVCUSTOMDRAW{};
    nm.nmcd.hdr.hwndFrom = list;
    nm.nmcd.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
    nm.nmcd.hdr.code = NM_CUSTOMDRAW;
    nm.nmcd.dwDrawStage = stage;
    nm.nmcd.hdc = dc.get();
    nm.nmcd.dwItemSpec = static_cast<DWORD_PTR>(index);
    return SendMessageA(GetParent(list), WM_NOTIFY, nm.nmcd.hdr.idFrom,
                        reinterpret_cast<LPARAM>(&nm));
  };
  const auto selected_font = [&] {
    LOGFONTA font{};
    GetObjectA(GetCurrentObject(dc.get(), OBJ_FONT), sizeof font, &font);
    return font;
  };
  NMLVCUSTOMDRAW nm;
  EXPECT_EQ(draw(CDDS_PREPAINT, 0, nm), CDRF_NOTIFYITEMDRAW);

  EXPECT_EQ(draw(CDDS_ITEMPREPAINT, 0, nm), CDRF_NEWFONT);
  EXPECT_EQ(nm.clrText, RGB(255, 0, 0));
  EXPECT_EQ(selected_font().lfWeight, FW_BOLD);
  EXPECT_EQ(selected_font().lfCharSet, RUSSIAN_CHARSET);

  EXPECT_EQ(draw(CDDS_ITEMPREPAINT, 1, nm), CDRF_NEWFONT);
  EXPECT_EQ(nm.clrText, GetSysColor(COLOR_WINDOWTEXT)) << "each item starts from the list's font";
  EXPECT_EQ(selected_font().lfWeight, FW_NORMAL);
}

TEST_F(ControlPeersWin32Test, RepaintOfAShownListPaintsEveryItemThroughTheHandler) {
  for (const char* caption : {"B", "A"}) form_.list.AddItem(caption);
  std::vector<std::string> drawn;
  form_.list.OnCustomDrawItem = [&](ListView& sender, int index, Font&) {
    drawn.push_back(sender.Caption(index));
  };
  form_.Show();
  drawn.clear();
  form_.list.Repaint();
  std::sort(drawn.begin(), drawn.end());  // the control picks the order it paints in
  EXPECT_EQ(drawn, (std::vector<std::string>{"A", "B"}));
}

TEST_F(ControlPeersWin32Test, ListPaintsItsWholeArea) {
  for (const char* caption : {"ABC", "DEF"}) form_.list.AddItem(caption);
  form_.Show();
  const HWND list = WindowOf(form_.list);
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  WindowDc dc(list);
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(GetPixel(dc.get(), 150, 90), window) << "below the last row";
  EXPECT_EQ(GetPixel(dc.get(), 150, 2), window) << "beside the first item";
}

}  // namespace
}  // namespace qxqy::win32
