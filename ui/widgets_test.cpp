// Behaviour of the widgets that the windows rely on: buttons, toggle
// groups, the sorted list view and its per-item fonts, the grid's text and
// painting, and resizing.
#include <gtest/gtest.h>

#include "base/error.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "ui/recording_canvas.h"
#include "ui/screen.h"
#include "ui/string_grid.h"
#include "ui/testing/framework_fixture.h"
#include "ui/toggle_button.h"

namespace qxqy {
namespace {

class WidgetForm : public Form {
 public:
  explicit WidgetForm(Component* owner)
      : Form(owner, "widgets", "TWidgetForm"),
        button(this, "button", this),
        bar(this, "bar", this),
        grid(this, "grid", this),
        list(this, "list", this),
        label(this, "label", this) {}

  Button button;
  Panel bar;
  StringGrid grid;
  ListView list;
  Label label;
};

class WidgetsTest : public testing::FrameworkTest {
 protected:
  WidgetForm& form_ = *App().CreateForm<WidgetForm>();
};

TEST_F(WidgetsTest, ButtonRunsItsHandlerOnlyWhileEnabled) {
  int clicks = 0;
  form_.button.OnClick = [&](Button&) { ++clicks; };
  form_.button.Click();
  form_.button.SetEnabled(false);
  form_.button.Click();
  EXPECT_EQ(clicks, 1);
}

TEST_F(WidgetsTest, ErrorInClickIsShownAndTheWindowGoesOn) {
  form_.button.OnClick = [](Button&) { throw DatabaseError("no such column: WPX"); };
  form_.button.Click();
  form_.button.Click();
  EXPECT_EQ(ErrorBoxLog(),
            (std::vector<std::string>{"no such column: WPX", "no such column: WPX"}));
  ClearErrorBoxLog();
  EXPECT_TRUE(ErrorBoxLog().empty());
}

TEST_F(WidgetsTest, ToggleButtonsOfOneParentKeepOneButtonDown) {
  std::vector<ToggleButton*> buttons;
  std::vector<int> clicked;
  for (int band = 1; band <= 3; ++band) {
    auto* button = form_.Create<ToggleButton>("band" + std::to_string(band), &form_.bar);
    button->SetTag(band);
    button->OnClick = [&](ToggleButton& sender) { clicked.push_back(sender.Tag()); };
    buttons.push_back(button);
  }
  auto* elsewhere = form_.Create<ToggleButton>("elsewhere", &form_);
  elsewhere->PushDown();

  const auto downs = [&] {
    std::string state;
    for (auto* b : buttons) state += b->Down() ? '1' : '0';
    return state;
  };
  EXPECT_EQ(downs(), "000");
  buttons[1]->PushDown();
  EXPECT_EQ(downs(), "010");
  buttons[2]->Click();
  EXPECT_EQ(downs(), "001");
  buttons[2]->Click();
  EXPECT_EQ(downs(), "001") << "a down button stays down when clicked again";
  buttons[0]->Click();
  EXPECT_EQ(downs(), "100");
  EXPECT_EQ(clicked, (std::vector<int>{3, 3, 1})) << "pushing down runs no handler";
  EXPECT_TRUE(elsewhere->Down()) << "a button under another parent is not touched";
}

TEST_F(WidgetsTest, AToggleButtonWithoutAParentIsAGroupOfItsOwn) {
  auto* alone = form_.Create<ToggleButton>("alone", nullptr);
  alone->Click();
  EXPECT_TRUE(alone->Down());
}

TEST_F(WidgetsTest, ListViewKeepsItemsSorted) {
  for (const char* caption : {"MOW", "ABC", "KRA", "ABC", "XYZ"}) form_.list.AddItem(caption);
  EXPECT_EQ(form_.list.AddItem("LUX"), 3);
  EXPECT_EQ(form_.list.Captions(),
            (std::vector<std::string>{"ABC", "ABC", "KRA", "LUX", "MOW", "XYZ"}));
  form_.list.Clear();
  EXPECT_EQ(form_.list.Count(), 0);
}

TEST_F(WidgetsTest, CustomDrawStartsEveryItemFromTheListsFont) {
  Font list_font;
  list_font.charset = kCyrillicCharset;
  form_.list.SetFont(list_font);
  for (const char* caption : {"AAA", "BBB", "CCC"}) form_.list.AddItem(caption);
  form_.list.OnCustomDrawItem = [](ListView& sender, int index, Font& font) {
    // Only the first item changes the font; the others must not inherit it.
    if (sender.Caption(index) == "AAA") {
      font.color = Rgb(255, 0, 0);
      font.bold = true;
    }
  };
  const Font first = form_.list.DrawItemFont(0);
  EXPECT_TRUE(first.bold);
  EXPECT_EQ(first.color, Rgb(255, 0, 0));
  EXPECT_EQ(form_.list.DrawItemFont(1), list_font);
  EXPECT_EQ(form_.list.DrawItemFont(2), list_font);
}

TEST_F(WidgetsTest, ListRepaintRunsTheCustomDrawForEveryItem) {
  for (const char* caption : {"B", "A"}) form_.list.AddItem(caption);
  std::vector<std::string> drawn;
  form_.list.OnCustomDrawItem = [&](ListView& sender, int index, Font&) {
    drawn.push_back(sender.Caption(index));
  };
  // A native list paints only what is on the screen: give it room and show it.
  form_.SetClientSize(200, 100);
  form_.list.SetBounds(0, 0, 200, 100);
  form_.Show();
  drawn.clear();
  form_.list.Repaint();
  EXPECT_EQ(drawn.size(), 2u);
  EXPECT_EQ(form_.list.RepaintRequests(), 1);
}

TEST_F(WidgetsTest, GridTextHasEveryCellTabsBetweenCellsCrLfBetweenRows) {
  form_.grid.SetSize(3, 2);
  form_.grid.SetCell(0, 0, "Band");
  form_.grid.SetCell(2, 0, "QSOs");
  form_.grid.SetCell(1, 1, "7");
  EXPECT_EQ(form_.grid.Text(), "Band\t\tQSOs\r\n\t7\t");
  EXPECT_THROW(form_.grid.SetCell(3, 0, "x"), Error);
  EXPECT_EQ(form_.grid.Cell(9, 9), "");
  form_.grid.SetSize(2, 1);
  EXPECT_EQ(form_.grid.Text(), "Band\t");
}

TEST_F(WidgetsTest, GridCellRectsIncludeGridLines) {
  form_.grid.SetSize(5, 8);
  form_.grid.SetColWidth(64);
  form_.grid.SetRowHeight(17);
  form_.grid.SetGridLineWidth(1);
  EXPECT_EQ(form_.grid.CellRect(0, 0), (Rect{0, 0, 64, 17}));
  EXPECT_EQ(form_.grid.CellRect(2, 3), (Rect{130, 54, 194, 71}));
}

// A grid that was never sized has the framework's default metrics: columns
// 64 wide, rows 24 high, 1-pixel lines.
TEST_F(WidgetsTest, GridStartsWithTheFrameworksDefaultCellMetrics) {
  StringGrid& grid = form_.grid;
  EXPECT_EQ(grid.ColWidth(), 64);
  EXPECT_EQ(grid.RowHeight(), 24);
  EXPECT_EQ(grid.GridLineWidth(), 1);
  grid.SetSize(2, 2);
  EXPECT_EQ(grid.CellRect(1, 1), (Rect{65, 25, 129, 49}));
}

TEST_F(WidgetsTest, GridPaintsDefaultThenTheHandlerWithTheGridsBrush) {
  form_.grid.SetSize(2, 1);
  form_.grid.SetColor(Rgb(253, 255, 206));
  form_.grid.SetCell(1, 0, "Points");
  std::vector<Color> brushes;
  form_.grid.OnDrawCell = [&](StringGrid&, Canvas& canvas, int, int, const Rect& rect) {
    brushes.push_back(canvas.BrushColor());
    canvas.FillRect(rect);
  };
  RecordingCanvas canvas;
  form_.grid.PaintCell(canvas, 0, 0);
  form_.grid.PaintCell(canvas, 1, 0);
  EXPECT_EQ(brushes, (std::vector<Color>{Rgb(253, 255, 206), Rgb(253, 255, 206)}));
  ASSERT_EQ(canvas.Texts().size(), 2u);
  EXPECT_EQ(canvas.Texts()[1].text, "Points");
  EXPECT_EQ(canvas.Texts()[1].x, form_.grid.CellRect(1, 0).left + 2);
  EXPECT_EQ(canvas.Fills().size(), 4u) << "default fill and the handler's fill per cell";
}

TEST_F(WidgetsTest, LabelWidthFollowsItsCaption) {
  form_.label.SetCaption("Score: 0*(0+0)=0");
  const int short_width = form_.label.Width();
  form_.label.SetCaption("Score: 30*(5+7)=360");
  EXPECT_GT(form_.label.Width(), short_width);
  EXPECT_EQ(form_.label.Width(), MeasureText(form_.label.GetFont(), "Score: 30*(5+7)=360").width);
}

TEST_F(WidgetsTest, ResizeHandlerRunsWhenLayoutChangesTheSize) {
  std::vector<int> widths;
  form_.bar.OnResize = [&](Control& sender) { widths.push_back(sender.Width()); };
  form_.bar.SetHeight(18);
  form_.Dock(&form_.bar, nullptr, nullptr);
  form_.SetClientSize(327, 150);
  form_.SetClientSize(327, 100);  // height of the form only: the bar keeps its size
  EXPECT_EQ(widths.back(), 327);
  EXPECT_EQ(form_.bar.BoundsRect(), (Rect{0, 0, 327, 18}));
  const size_t calls = widths.size();
  form_.SetClientSize(327, 120);
  EXPECT_EQ(widths.size(), calls);
}

TEST_F(WidgetsTest, ChildrenFollowTheParentFontUntilGivenTheirOwn) {
  Font form_font;
  form_font.height = 13;
  form_.SetFont(form_font);
  EXPECT_EQ(form_.grid.GetFont(), form_font);
  Font label_font;
  label_font.name = "Courier";
  label_font.bold = true;
  form_.label.SetFont(label_font);
  form_font.height = 11;
  form_.SetFont(form_font);
  EXPECT_EQ(form_.grid.GetFont(), form_font);
  EXPECT_EQ(form_.label.GetFont(), label_font);
}

}  // namespace
}  // namespace qxqy
