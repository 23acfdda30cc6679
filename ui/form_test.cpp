#include "ui/form.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

#include "base/error.h"
#include "ui/button.h"
#include "ui/component_ref.h"
#include "ui/panel.h"
#include "ui/screen.h"
#include "ui/testing/framework_fixture.h"

namespace qxqy {
namespace {

using testing::DestroyProbe;

// A window that records what happens to it.
class ProbeForm : public Form {
 public:
  ProbeForm(Component* owner, std::vector<std::string>* log, std::string name = "probe")
      : Form(owner, std::move(name), "TProbeForm"), button(this, "button", this), log_(log) {
    OnShow = [this](Form&) { log_->push_back(Name() + ".show"); };
    OnCloseQuery = [this](Form&, bool& can_close) {
      log_->push_back(Name() + ".query");
      can_close = allow_close;
    };
    OnClose = [this](Form&) { log_->push_back(Name() + ".close"); };
  }
  ~ProbeForm() override { log_->push_back(Name() + ".destroy"); }

  Button button;
  bool allow_close = true;

 private:
  std::vector<std::string>* log_;
};

class FormTest : public testing::FrameworkTest {
 protected:
  std::vector<std::string> log_;
};

TEST_F(FormTest, ReleasedFormIsDestroyedOnlyWhenMessagesAreDispatched) {
  auto* form = App().CreateForm<ProbeForm>(&log_);
  ComponentRef<ProbeForm> ref(form);
  form->Release();
  form->Release();  // a second request must not destroy twice
  EXPECT_TRUE(ref);
  EXPECT_TRUE(log_.empty());
  App().ProcessMessages();
  EXPECT_FALSE(ref);
  EXPECT_EQ(log_, std::vector<std::string>{"probe.destroy"});
  EXPECT_TRUE(App().Components().empty());
}

TEST_F(FormTest, OwnedWindowsAndComponentsGoWithTheirOwner) {
  auto* main = App().CreateForm<ProbeForm>(&log_, "main");
  auto* child = main->Create<ProbeForm>(&log_, "child");
  child->Create<DestroyProbe>("list", &log_);
  ComponentRef<ProbeForm> child_ref(child);
  main->Release();
  App().ProcessMessages();
  EXPECT_FALSE(child_ref);
  EXPECT_EQ(log_, (std::vector<std::string>{"list", "child.destroy", "main.destroy"}));
}

TEST_F(FormTest, ShutdownDestroysWhatTheApplicationStillOwns) {
  App().CreateForm<ProbeForm>(&log_, "first");
  App().CreateForm<ProbeForm>(&log_, "second");
  App().Shutdown();
  App().Shutdown();
  EXPECT_EQ(log_, (std::vector<std::string>{"second.destroy", "first.destroy"}));
}

TEST_F(FormTest, ReleaseDispatchedWhileBusyWaitsForTheOutermostScope) {
  auto* form = App().CreateForm<ProbeForm>(&log_);
  ComponentRef<ProbeForm> ref(form);
  {
    Form::BusyScope outer(*form);
    {
      Form::BusyScope inner(*form);
      form->Release();
      App().ProcessMessages();
      EXPECT_TRUE(ref);
    }
    App().ProcessMessages();
    EXPECT_TRUE(ref) << "an inner scope's end must not destroy the form";
  }
  EXPECT_TRUE(ref) << "destruction is posted again, not run inside the scope's end";
  App().ProcessMessages();
  EXPECT_FALSE(ref);
}

// A handler that lets messages run (as the recalculation does) while a
// release of its own window is pending must finish on a living window.
TEST_F(FormTest, HandlerThatDispatchesMessagesKeepsItsFormAlive) {
  auto* form = App().CreateForm<ProbeForm>(&log_);
  ComponentRef<ProbeForm> ref(form);
  bool alive_after_dispatch = false;
  form->button.OnClick = [&](Button& sender) {
    sender.ParentForm()->Release();
    Application::Instance().ProcessMessages();
    alive_after_dispatch = static_cast<bool>(ref);
    sender.SetCaption("still usable");
  };
  form->button.Click();
  EXPECT_TRUE(alive_after_dispatch);
  App().ProcessMessages();
  EXPECT_FALSE(ref);
  EXPECT_TRUE(ErrorBoxLog().empty());
}

TEST_F(FormTest, BusyOwnedWindowDefersTheOwnersDestruction) {
  auto* main = App().CreateForm<ProbeForm>(&log_, "main");
  auto* child = main->Create<ProbeForm>(&log_, "child");
  ComponentRef<ProbeForm> main_ref(main);
  {
    Form::BusyScope busy(*child);
    main->Release();
    App().ProcessMessages();
    EXPECT_TRUE(main_ref);
  }
  App().ProcessMessages();
  EXPECT_FALSE(main_ref);
}

TEST_F(FormTest, ShowRunsOnceUntilHidden) {
  auto* form = App().CreateForm<ProbeForm>(&log_);
  form->Show();
  form->Show();
  EXPECT_TRUE(form->Visible());
  form->Hide();
  form->Show();
  EXPECT_EQ(log_, (std::vector<std::string>{"probe.show", "probe.show"}));
  EXPECT_NE(form->Handle(), 0u);
}

TEST_F(FormTest, ErrorInShowIsReportedAndTheWindowStillShows) {
  const struct {
    std::function<void()> fail;
    std::string shown;
  } cases[] = {
      {[] { throw DatabaseError("no such table: Log"); }, "no such table: Log"},
      {[] { throw std::bad_alloc(); }, "Out of memory"},
      {[] { throw 42; }, "Unknown error"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    auto* form = App().CreateForm<ProbeForm>(&log_);
    form->OnShow = [&c](Form&) { c.fail(); };
    form->Show();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(ErrorBoxLog(), std::vector<std::string>{c.shown});
    ClearErrorBoxLog();
  }
}

TEST_F(FormTest, AnAgreedCloseRunsTheCloseHandlerAndHides) {
  auto* form = App().CreateForm<ProbeForm>(&log_);
  form->Show();
  form->Close();
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(log_, (std::vector<std::string>{"probe.show", "probe.query", "probe.close"}));

  form->OnClose = [](Form&) { throw Error("cannot close"); };
  form->Show();
  form->Close();
  EXPECT_TRUE(form->Visible()) << "a failed close handler leaves the window as it is";
  EXPECT_EQ(ErrorBoxLog(), std::vector<std::string>{"cannot close"});
}

TEST_F(FormTest, RefusedCloseQueryStopsTheClose) {
  auto* form = App().CreateForm<ProbeForm>(&log_);
  form->allow_close = false;
  form->Show();
  form->Close();
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(log_, (std::vector<std::string>{"probe.show", "probe.query"}));
}

TEST_F(FormTest, SystemCommandGoesToTheWindowFirst) {
  auto* form = App().CreateForm<ProbeForm>(&log_);
  form->Show();
  form->OnSysCommand = [](Form& sender, unsigned command) {
    if ((command & kSysCommandMask) != kScClose) return false;
    sender.Minimize();
    return true;
  };
  form->SysCommand(kScClose | 0x2);  // low bits belong to the platform
  EXPECT_TRUE(form->Minimized());
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(log_, std::vector<std::string>{"probe.show"}) << "the close must not run";

  form->SysCommand(kScRestore);
  EXPECT_FALSE(form->Minimized());
  form->OnSysCommand = nullptr;
  form->SysCommand(kScClose);
  EXPECT_FALSE(form->Visible()) << "the default close runs when the window does not handle it";
}

TEST_F(FormTest, OwnerWindowIsTheApplicationEvenForAFormOwnedByAForm) {
  auto* main = App().CreateForm<ProbeForm>(&log_, "main");
  auto* child = main->Create<ProbeForm>(&log_, "child");
  EXPECT_EQ(main->OwnerWindowHandle(), 0u) << "a freshly loaded library has no application window";
  EXPECT_EQ(child->OwnerWindowHandle(), 0u);
  App().SetHandle(0x1234);
  EXPECT_EQ(main->OwnerWindowHandle(), 0x1234u);
  EXPECT_EQ(child->OwnerWindowHandle(), 0x1234u);
  App().SetHandle(0);
}

// The windows' own layout tests pin the coordinates; here: a docked
// control that goes is left out of the layout from then on.
TEST_F(FormTest, ANormalPositionCanBeSetBeforeTheWindowExists) {
  auto* form = App().CreateForm<ProbeForm>(&log_);
  ASSERT_EQ(form->Peer(), nullptr);
  const Rect work_area = ScreenWorkArea();
  form->SetNormalPosition(Rect{10, 20, 410, 320});
  EXPECT_EQ(form->BoundsRect(), (Rect{work_area.left + 10, work_area.top + 20, work_area.left + 410,
                                      work_area.top + 320}));
  EXPECT_FALSE(form->Visible());
}

TEST_F(FormTest, DockedControlThatGoesIsLeftOut) {
  auto* form = App().CreateForm<ProbeForm>(&log_);
  auto* bar = form->Create<Panel>("bar", form);
  bar->SetHeight(18);
  form->Dock(bar, &form->button, nullptr);
  form->SetClientSize(328, 193);
  EXPECT_EQ(form->button.BoundsRect(), (Rect{0, 18, 328, 193}));
  Component::Destroy(bar);
  form->SetClientSize(328, 150);
  EXPECT_EQ(form->button.BoundsRect(), (Rect{0, 0, 328, 150}));
}

}  // namespace
}  // namespace qxqy
