// Top-level windows as the host, screen readers and test tools see them:
// class, caption, styles, owner and rectangles; the system command and close
// request going to the form; the posted release; destruction from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include "ui/backend.h"
#include "ui/component_ref.h"
#include "ui/form.h"
#include "ui/testing/framework_fixture.h"
#include "ui/win32/window_peer.h"

namespace qxqy::win32 {
namespace {

class TestForm : public Form {
 public:
  TestForm(Component* owner, std::vector<std::string>* log, std::string name = "form")
      : Form(owner, name, "TQxqyTestForm"), log_(log) {
    SetCaption("QX-QY DX Contest");
    SetBorderStyle(BorderStyle::kSingle);
    SetBorderIcons(true, true, false);
    SetStayOnTop(true);
    SetBounds(1009, 201, 0, 0);
    SetClientSize(328, 193);
    OnCloseQuery = [this](Form&, bool&) { log_->push_back(Name() + ".query"); };
    OnClose = [this](Form&) { log_->push_back(Name() + ".close"); };
  }
  ~TestForm() override { log_->push_back(Name() + ".destroy"); }

  HWND Window() { return WindowFromValue(Handle()); }

 private:
  std::vector<std::string>* log_;
};

class FormPeerWin32Test : public qxqy::testing::FrameworkTest {
 protected:
  TestForm& NewForm(std::string name = "form") {
    return *App().CreateForm<TestForm>(&log_, std::move(name));
  }
  std::vector<std::string> log_;
};

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

TEST_F(FormPeerWin32Test, WindowFollowsTheLayoutData) {
  TestForm& form = NewForm();
  const HWND window = form.Window();
  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(ClassOf(window), "TQxqyTestForm");
  EXPECT_EQ(TextOf(window), "QX-QY DX Contest");
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const LONG ex_style = GetWindowLongA(window, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME) << "a single border is not sizeable";
  EXPECT_FALSE(style & WS_VISIBLE) << "hidden until shown";
  EXPECT_TRUE(ex_style & WS_EX_TOPMOST);

  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 328);
  EXPECT_EQ(client.bottom, 193);
  RECT bounds;
  GetWindowRect(window, &bounds);
  EXPECT_EQ(form.BoundsRect(), (Rect{bounds.left, bounds.top, bounds.right, bounds.bottom}));
  EXPECT_EQ(bounds.left, 1009);
  EXPECT_EQ(bounds.top, 201);

  form.SetCaption("Log in QX-QY DX Contest");
  EXPECT_EQ(TextOf(window), "Log in QX-QY DX Contest");
  form.SetStayOnTop(false);
  EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  form.SetBorderStyle(BorderStyle::kSizeable);
  EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_THICKFRAME);
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 328) << "the client size is kept across a border change";
}

TEST_F(FormPeerWin32Test, OwnerIsTheApplicationWindowEvenForAFormOwnedByAForm) {
  // The owner is taken when the window is made.
  TestForm& host = NewForm("host");
  App().SetHandle(HandleValue(host.Window()));
  TestForm& main = NewForm("main");
  main.HandleNeeded();
  auto* child = main.Create<TestForm>(&log_, "child");
  App().SetHandle(0x7ffffff0);  // not a window: owns nothing
  TestForm& orphan = NewForm("orphan");
  orphan.HandleNeeded();
  child->HandleNeeded();
  App().SetHandle(0);
  EXPECT_EQ(GetWindow(main.Window(), GW_OWNER), host.Window());
  EXPECT_EQ(GetWindow(child->Window(), GW_OWNER), nullptr)
      << "made while the application handle named no window";
  EXPECT_EQ(GetWindow(orphan.Window(), GW_OWNER), nullptr);
}

TEST_F(FormPeerWin32Test, MinimisingTheOwnerFormLeavesItsFormShown) {
  TestForm& main = NewForm("main");
  main.Show();
  auto* child = main.Create<TestForm>(&log_, "child");
  child->Show();
  ASSERT_EQ(GetWindow(child->Window(), GW_OWNER), nullptr);
  main.Minimize();
  EXPECT_TRUE(IsIconic(main.Window()));
  EXPECT_TRUE(IsWindowVisible(child->Window()));
  EXPECT_FALSE(IsIconic(child->Window()));
  EXPECT_TRUE(GetWindowLongA(child->Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongA(child->Window(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW)
      << "an unowned window keeps its own task-bar button";
}

TEST_F(FormPeerWin32Test, NativeMovesAndMinimisingReachTheForm) {
  TestForm& form = NewForm();
  form.Show();
  EXPECT_TRUE(IsWindowVisible(form.Window()));
  SetWindowPos(form.Window(), nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(form.Left(), 100);
  EXPECT_EQ(form.Top(), 120);
  ShowWindow(form.Window(), SW_MINIMIZE);
  EXPECT_TRUE(form.Minimized());
  EXPECT_EQ(form.Left(), 100) << "the form keeps its normal rectangle while minimised";
  form.SetWindowState(WindowState::kNormal);
  EXPECT_FALSE(IsIconic(form.Window()));
  form.Minimize();
  EXPECT_TRUE(IsIconic(form.Window()));
  EXPECT_TRUE(form.Visible());
}

TEST_F(FormPeerWin32Test, PlacementIsThePlatformsPlacementRecord) {
  TestForm& form = NewForm();
  form.SetNormalPosition(RectFromBounds(120, 80, 334, 222));
  EXPECT_FALSE(IsWindowVisible(form.Window())) << "a hidden window stays hidden";
  WINDOWPLACEMENT native{};
  native.length = sizeof native;
  ASSERT_TRUE(GetWindowPlacement(form.Window(), &native));
  const WindowPlacement placement = form.Placement();
  EXPECT_EQ(placement.normal_position,
            (Rect{native.rcNormalPosition.left, native.rcNormalPosition.top,
                  native.rcNormalPosition.right, native.rcNormalPosition.bottom}));
  EXPECT_EQ(placement.normal_position.left, 120);
  EXPECT_EQ(placement.normal_position.top, 80);
  EXPECT_EQ(placement.show_command, static_cast<int>(native.showCmd));
  EXPECT_EQ(placement.flags, static_cast<int>(native.flags));
  EXPECT_EQ(placement.min_x, native.ptMinPosition.x);
  EXPECT_EQ(placement.max_y, native.ptMaxPosition.y);

  form.Show();
  form.Minimize();
  form.SetNormalPosition(RectFromBounds(200, 90, 334, 222));
  EXPECT_TRUE(IsIconic(form.Window())) << "a minimised window stays minimised";
  EXPECT_EQ(form.Placement().show_command, SW_SHOWMINIMIZED);
  form.SetWindowState(WindowState::kNormal);
  RECT bounds;
  GetWindowRect(form.Window(), &bounds);
  EXPECT_EQ(bounds.left, 200);
  EXPECT_EQ(bounds.top, 90);
}

TEST_F(FormPeerWin32Test, SystemCommandGoesToTheFormFirst) {
  TestForm& form = NewForm();
  form.Show();
  std::vector<unsigned> commands;
  form.OnSysCommand = [&](Form& sender, unsigned command) {
    commands.push_back(command);
    if ((command & kSysCommandMask) != kScClose) return false;
    sender.Show();
    ShowWindow(WindowFromValue(sender.Handle()), SW_MINIMIZE);
    return true;
  };
  SendMessageA(form.Window(), WM_SYSCOMMAND, SC_CLOSE | 2, 0);
  EXPECT_EQ(commands, std::vector<unsigned>{SC_CLOSE | 2});
  EXPECT_TRUE(IsIconic(form.Window()));
  EXPECT_TRUE(IsWindow(form.Window()));
  EXPECT_TRUE(log_.empty()) << "the close must not run";

  SendMessageA(form.Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(form.Window())) << "other commands take the default course";
  EXPECT_FALSE(form.Minimized());
}

TEST_F(FormPeerWin32Test, CloseRequestRunsTheClosePath) {
  TestForm& form = NewForm();
  form.Show();
  SendMessageA(form.Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(log_, (std::vector<std::string>{"form.query", "form.close"}));
  EXPECT_FALSE(IsWindowVisible(form.Window())) << "the default close action hides";
  EXPECT_TRUE(IsWindow(form.Window()));
}

TEST_F(FormPeerWin32Test, PostedReleaseDestroysTheWindowWhenMessagesAreDispatched) {
  TestForm& form = NewForm();
  ComponentRef<TestForm> ref(&form);
  const HWND window = form.Window();
  form.Release();
  form.Release();
  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(ref);
  App().ProcessMessages();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(ref);
  EXPECT_EQ(log_, std::vector<std::string>{"form.destroy"});
}

TEST_F(FormPeerWin32Test, ReleaseWaitsWhileTheFormIsBusy) {
  TestForm& form = NewForm();
  ComponentRef<TestForm> ref(&form);
  const HWND window = form.Window();
  {
    Form::BusyScope busy(form);
    form.Release();
    App().ProcessMessages();
    EXPECT_TRUE(IsWindow(window));
  }
  App().ProcessMessages();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(ref);
}

TEST_F(FormPeerWin32Test, WindowDestroyedFromOutsideEndsTheFormAndItsOwnedForms) {
  TestForm& main = NewForm("main");
  auto* child = main.Create<TestForm>(&log_, "child");
  ComponentRef<TestForm> main_ref(&main);
  ComponentRef<TestForm> child_ref(child);
  const HWND child_window = child->Window();
  DestroyWindow(main.Window());
  EXPECT_FALSE(main_ref);
  EXPECT_FALSE(child_ref);
  EXPECT_FALSE(IsWindow(child_window));
  // The owned form is not a native child of the main window: it goes with
  // the main form, before it, as on a release.
  EXPECT_EQ(log_, (std::vector<std::string>{"child.destroy", "main.destroy"}));
}

TEST_F(FormPeerWin32Test, WindowDestroyedFromOutsideWhileBusyEndsTheFormLater) {
  TestForm& form = NewForm();
  ComponentRef<TestForm> ref(&form);
  {
    Form::BusyScope busy(form);
    DestroyWindow(form.Window());
    EXPECT_TRUE(ref) << "the form outlives its window while busy";
    form.SetCaption("still usable");
    form.Release();  // no window to post to: the backend's own queue carries it
  }
  EXPECT_TRUE(ref);
  App().ProcessMessages();
  EXPECT_FALSE(ref);
}

TEST_F(FormPeerWin32Test, FrameInsetsMatchTheRealFrame) {
  for (BorderStyle style : {BorderStyle::kSingle, BorderStyle::kSizeable}) {
    TestForm& form = NewForm();
    form.SetBorderStyle(style);
    RECT window;
    RECT client;
    GetWindowRect(form.Window(), &window);
    GetClientRect(form.Window(), &client);
    const Insets frame = backend::FrameInsets(style);
    EXPECT_EQ(window.right - window.left - frame.left - frame.right, client.right)
        << "style " << static_cast<int>(style);
    EXPECT_EQ(window.bottom - window.top - frame.top - frame.bottom, client.bottom)
        << "style " << static_cast<int>(style);
  }
}

}  // namespace
}  // namespace qxqy::win32
