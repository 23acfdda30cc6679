// What the widgets tell their peers. A native peer re-reads a widget's state
// only when told what changed, so a setter that forgets to tell leaves the
// window on screen stale (the headless peers ignore updates, which is why
// this is checked with peers that record them): every change of rendered
// state reaches the peer once, named by what changed, and setting a value
// a widget already holds tells nothing.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/glyph.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "ui/peer.h"
#include "ui/string_grid.h"
#include "ui/testing/framework_fixture.h"
#include "ui/toggle_button.h"

namespace qxqy {
namespace {

struct Update {
  std::string widget;
  Change what;

  bool operator==(const Update& other) const {
    return widget == other.widget && what == other.what;
  }
};
using Updates = std::vector<Update>;

const char* ChangeName(Change what) {
  switch (what) {
    case Change::kBounds:
      return "bounds";
    case Change::kVisible:
      return "visible";
    case Change::kEnabled:
      return "enabled";
    case Change::kCaption:
      return "caption";
    case Change::kFont:
      return "font";
    case Change::kColor:
      return "color";
    case Change::kContent:
      return "content";
    case Change::kState:
      return "state";
    case Change::kStyle:
      return "style";
    case Change::kTabOrder:
      return "tab order";
  }
  return "?";
}

void PrintTo(const Update& update, std::ostream* out) {
  *out << update.widget << ":" << ChangeName(update.what);
}

// Records every update; plays a form's peer as well as a control's.
class RecordingPeer : public FormPeer {
 public:
  RecordingPeer(std::string widget, Updates* log) : widget_(std::move(widget)), log_(log) {}
  void Update(Change what) override { log_->push_back({widget_, what}); }
  void Repaint() override {}
  uint32_t NativeHandle() const override { return 1; }
  void PostRelease() override {}
  void DefaultSysCommand(unsigned) override {}
  void BringToFront() override {}

 private:
  std::string widget_;
  Updates* log_;
};

// A widget of kind W whose peer records.
template <class W>
class Recorded : public W {
 public:
  Recorded(Component* owner, const char* name, Control* parent, Updates* log)
      : W(owner, name, parent), log_(log) {}

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override {
    return std::make_unique<RecordingPeer>(this->Name(), log_);
  }

 private:
  Updates* log_;
};

class RecordedForm : public Form {
 public:
  explicit RecordedForm(Component* owner)
      : Form(owner, "form", "TRecordedForm"),
        panel(this, "panel", this, &log),
        button(this, "button", &panel, &log),
        toggle(this, "toggle", &panel, &log),
        other_toggle(this, "other_toggle", &panel, &log),
        label(this, "label", &panel, &log),
        grid(this, "grid", this, &log),
        list(this, "list", this, &log) {}

  Updates log;
  Recorded<Panel> panel;
  Recorded<Button> button;
  Recorded<ToggleButton> toggle;
  Recorded<ToggleButton> other_toggle;
  Recorded<Label> label;
  Recorded<StringGrid> grid;
  Recorded<ListView> list;

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override {
    return std::make_unique<RecordingPeer>(Name(), &log);
  }
};

class PeerUpdatesTest : public testing::FrameworkTest {
 protected:
  PeerUpdatesTest() {
    form_.grid.SetSize(2, 2);
    form_.list.AddItem("B");
    form_.HandleNeeded();
    form_.log.clear();
  }

  RecordedForm& form_ = *App().CreateForm<RecordedForm>();
};

TEST_F(PeerUpdatesTest, EachChangeOfRenderedStateTellsThePeerWhatChanged) {
  RecordedForm& f = form_;
  Font bold = f.label.GetFont();
  bold.bold = true;
  const struct {
    const char* name;
    std::function<void()> change;
    Updates expected;
  } cases[] = {
      {"form caption", [&] { f.SetCaption("Title"); }, {{"form", Change::kCaption}}},
      {"stay on top", [&] { f.SetStayOnTop(true); }, {{"form", Change::kStyle}}},
      {"border icons", [&] { f.SetBorderIcons(true, true, false); }, {{"form", Change::kStyle}}},
      {"window state",
       [&] { f.SetWindowState(WindowState::kMinimized); },
       {{"form", Change::kState}}},
      {"enabled", [&] { f.button.SetEnabled(false); }, {{"button", Change::kEnabled}}},
      {"tab stop", [&] { f.button.SetTabStop(false); }, {{"button", Change::kTabOrder}}},
      {"tab order", [&] { f.button.SetTabOrder(3); }, {{"button", Change::kTabOrder}}},
      {"bounds", [&] { f.button.SetBounds(1, 2, 3, 4); }, {{"button", Change::kBounds}}},
      {"button caption", [&] { f.button.SetCaption("Go"); }, {{"button", Change::kCaption}}},
      {"button picture", [&] { f.button.SetGlyph(ListGlyph()); }, {{"button", Change::kContent}}},
      {"label caption",
       [&] { f.label.SetCaption("Score"); },
       {{"label", Change::kCaption}, {"label", Change::kBounds}}},
      {"label font", [&] { f.label.SetFont(bold); }, {{"label", Change::kFont}}},
      {"panel colour",
       [&] { f.panel.SetColor(Rgb(1, 2, 3)); },
       {{"panel", Change::kColor},
        {"button", Change::kColor},
        {"toggle", Change::kColor},
        {"other_toggle", Change::kColor},
        {"label", Change::kColor}}},
      {"toggle caption", [&] { f.toggle.SetCaption("14"); }, {{"toggle", Change::kCaption}}},
      {"toggle down", [&] { f.toggle.PushDown(); }, {{"toggle", Change::kState}}},
      {"the other toggle down",
       [&] { f.other_toggle.PushDown(); },
       {{"other_toggle", Change::kState}, {"toggle", Change::kState}}},
      {"grid cell", [&] { f.grid.SetCell(1, 1, "x"); }, {{"grid", Change::kContent}}},
      {"grid size", [&] { f.grid.SetSize(3, 2); }, {{"grid", Change::kContent}}},
      {"column width", [&] { f.grid.SetColWidth(20); }, {{"grid", Change::kContent}}},
      {"row height", [&] { f.grid.SetRowHeight(9); }, {{"grid", Change::kContent}}},
      {"grid lines", [&] { f.grid.SetGridLineWidth(2); }, {{"grid", Change::kContent}}},
      {"list item", [&] { f.list.AddItem("A"); }, {{"list", Change::kContent}}},
      {"list emptied", [&] { f.list.Clear(); }, {{"list", Change::kContent}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    f.log.clear();
    c.change();
    EXPECT_EQ(f.log, c.expected);
  }
}

TEST_F(PeerUpdatesTest, SettingWhatAWidgetAlreadyHoldsTellsNothing) {
  RecordedForm& f = form_;
  f.SetCaption("Title");
  f.SetStayOnTop(true);
  f.button.SetCaption("Go");
  f.label.SetCaption("Score");
  f.toggle.SetCaption("14");
  f.toggle.PushDown();
  f.grid.SetCell(1, 1, "x");
  f.log.clear();

  f.SetCaption("Title");
  f.SetStayOnTop(true);
  f.button.SetEnabled(true);
  f.button.SetTabStop(true);  // a button's default
  f.button.SetTabOrder(0);
  f.button.SetBoundsRect(f.button.BoundsRect());
  f.button.SetCaption("Go");
  f.label.SetCaption("Score");
  f.toggle.SetCaption("14");
  f.toggle.PushDown();
  f.grid.SetCell(1, 1, "x");
  EXPECT_EQ(f.log, Updates{});
}

TEST_F(PeerUpdatesTest, AFontOrColourReachesTheChildrenThatFollowTheirParent) {
  RecordedForm& f = form_;
  Font own = f.label.GetFont();
  own.height = 20;
  f.label.SetFont(own);
  f.log.clear();

  Font font = f.panel.GetFont();
  font.name = "Courier";
  f.panel.SetFont(font);
  // The label keeps its own font; the buttons follow the panel.
  EXPECT_EQ(f.log, (Updates{{"panel", Change::kFont},
                            {"button", Change::kFont},
                            {"toggle", Change::kFont},
                            {"other_toggle", Change::kFont}}));

  f.log.clear();
  f.SetColor(Rgb(9, 9, 9));
  // The grid and the list have colours of their own.
  EXPECT_EQ(f.log, (Updates{{"form", Change::kColor},
                            {"panel", Change::kColor},
                            {"button", Change::kColor},
                            {"toggle", Change::kColor},
                            {"other_toggle", Change::kColor},
                            {"label", Change::kColor}}));
}

}  // namespace
}  // namespace qxqy
