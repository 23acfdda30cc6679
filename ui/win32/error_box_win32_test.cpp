// The native error box: the message as text, "Error" as caption, the error
// icon, owned by the thread's active window or else by the application
// handle, and modal to the application: the thread's other windows are
// disabled while it shows and exactly those enabled again afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>

#include "ui/error_box.h"
#include "ui/form.h"
#include "ui/testing/framework_fixture.h"
#include "ui/win32/message_box_hook.h"
#include "ui/win32/window_peer.h"

namespace qxqy::win32 {
namespace {

struct ShownBox {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

// A plain top-level window of the thread, standing for one of the host's.
class HostWindow {
 public:
  explicit HostWindow(const char* caption) {
    static const ATOM window_class = [] {
      WNDCLASSA description{};
      description.lpfnWndProc = DefWindowProcA;
      description.hInstance = GetModuleHandleA(nullptr);
      description.lpszClassName = "QxqyTestHostWindow";
      return RegisterClassA(&description);
    }();
    window_ =
        CreateWindowExA(0, MAKEINTATOM(window_class), caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                        20, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~HostWindow() { DestroyWindow(window_); }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Get() const { return window_; }

 private:
  HWND window_;
};

class ErrorBoxWin32Test : public qxqy::testing::FrameworkTest {
 protected:
  ErrorBoxWin32Test()
      : hook_([this](HWND owner, const std::string& text, const std::string& caption, UINT type) {
          shown_.push_back(ShownBox{owner, text, caption, type});
          for (HWND window : watched_) enabled_while_shown_[window] = IsWindowEnabled(window) != 0;
          if (during_box_) during_box_();
          return IDOK;
        }) {
    SetErrorBoxQuiet(false);
  }
  ~ErrorBoxWin32Test() override { SetErrorBoxQuiet(true); }

  HWND ShownForm(const char* name) {
    auto* form = App().CreateForm<Form>(name, name);
    form->Show();
    return WindowFromValue(form->Handle());
  }

  std::vector<ShownBox> shown_;
  std::vector<HWND> watched_;                 // windows whose state the box records
  std::map<HWND, bool> enabled_while_shown_;  // their enabled state while it showed
  std::function<void()> during_box_;          // what else happens while it shows
  ScopedMessageBoxHook hook_;
};

TEST_F(ErrorBoxWin32Test, ShowsTheMessageWithTheErrorIcon) {
  ShowErrorBox("no such table: Log");
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].text, "no such table: Log");
  EXPECT_EQ(shown_[0].caption, "Error");
  EXPECT_EQ(shown_[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(ErrorBoxLog(), std::vector<std::string>{"no such table: Log"});
}

TEST_F(ErrorBoxWin32Test, OwnerIsTheActiveFormOrElseTheApplicationWindow) {
  auto* host = App().CreateForm<Form>("host", "QxqyTestHost");
  const HWND host_window = WindowFromValue(host->Handle());
  SetActiveWindow(nullptr);
  App().SetHandle(HandleValue(host_window));
  ShowErrorBox("first");

  auto* form = App().CreateForm<Form>("active", "QxqyTestActive");
  form->Show();
  SetActiveWindow(WindowFromValue(form->Handle()));
  ShowErrorBox("second");
  App().SetHandle(0);

  ASSERT_EQ(shown_.size(), 2u);
  EXPECT_EQ(shown_[0].owner, host_window);
  EXPECT_EQ(shown_[1].owner, WindowFromValue(form->Handle()));
}

TEST_F(ErrorBoxWin32Test, AnActiveWindowOfTheHostOwnsTheBox) {
  const HostWindow host("host");
  SetActiveWindow(host.Get());
  ShowErrorBox("owned by the host");
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].owner, host.Get());
}

TEST_F(ErrorBoxWin32Test, DisablesTheThreadsWindowsWhileShownAndEnablesThemAfter) {
  const HostWindow host("host");
  const HWND main_form = ShownForm("main");
  const HWND other_form = ShownForm("other");
  watched_ = {host.Get(), main_form, other_form};
  SetActiveWindow(main_form);

  ShowErrorBox("modal");

  ASSERT_EQ(shown_.size(), 1u);
  for (HWND window : watched_) {
    EXPECT_FALSE(enabled_while_shown_[window]) << "enabled under the box: " << window;
    EXPECT_TRUE(IsWindowEnabled(window)) << "left disabled: " << window;
  }
}

TEST_F(ErrorBoxWin32Test, AWindowDisabledBeforeStaysDisabledAndHiddenOnesAreLeftAlone) {
  const HostWindow host("host");
  const HWND disabled_form = ShownForm("disabled");
  EnableWindow(disabled_form, FALSE);
  auto* hidden = App().CreateForm<Form>("hidden", "hidden");
  const HWND hidden_form = WindowFromValue(hidden->Handle());
  watched_ = {host.Get(), disabled_form, hidden_form};

  ShowErrorBox("modal");

  EXPECT_FALSE(enabled_while_shown_[host.Get()]);
  EXPECT_TRUE(IsWindowEnabled(host.Get()));
  EXPECT_FALSE(IsWindowEnabled(disabled_form));
  EXPECT_TRUE(enabled_while_shown_[hidden_form]);
  EXPECT_TRUE(IsWindowEnabled(hidden_form));
}

// A box takes the activation while it shows; when it goes, the system has no
// enabled window to activate. The window that was active must be again.
TEST_F(ErrorBoxWin32Test, TheWindowThatWasActiveIsActiveAgainAfterTheBox) {
  const HostWindow host("host");
  const HWND main_form = ShownForm("main");
  SetActiveWindow(main_form);
  during_box_ = [] {
    const HostWindow box("box");
    SetActiveWindow(box.Get());
  };

  ShowErrorBox("takes the activation");

  EXPECT_EQ(GetActiveWindow(), main_form);
}

TEST_F(ErrorBoxWin32Test, ABoxShownUnderAnotherLeavesTheWindowsDisabledForIt) {
  const HostWindow host("host");
  std::vector<std::string> texts;
  bool host_enabled_after_inner = true;
  {
    const ScopedMessageBoxHook outer_then_inner(
        [&](HWND, const std::string& text, const std::string&, UINT) {
          texts.push_back(text);
          if (texts.size() == 1) {
            ShowErrorBox("inner");
            host_enabled_after_inner = IsWindowEnabled(host.Get()) != 0;
          }
          return IDOK;
        });
    ShowErrorBox("outer");
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"outer", "inner"}));
  EXPECT_FALSE(host_enabled_after_inner) << "the inner box enabled the host under the outer one";
  EXPECT_TRUE(IsWindowEnabled(host.Get()));
}

TEST_F(ErrorBoxWin32Test, QuietModeShowsNothing) {
  SetErrorBoxQuiet(true);
  ShowErrorBox("recorded only");
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(ErrorBoxLog(), std::vector<std::string>{"recorded only"});
}

// The real message box, closed by a hook on this thread as soon as it is
// activated: it must not undo the modal state early, nor leave the wrong
// window active.
class RealErrorBoxTest : public qxqy::testing::FrameworkTest {
 protected:
  RealErrorBoxTest() { SetErrorBoxQuiet(false); }
  ~RealErrorBoxTest() override { SetErrorBoxQuiet(true); }

  // Set while a box shows: the watched windows' enabled state as the box
  // was activated.
  static inline std::vector<HWND> watched;
  static inline std::map<HWND, bool> enabled_while_shown;
  static inline int boxes_closed = 0;

  static LRESULT CALLBACK CloseBoxOnActivation(int code, WPARAM wparam, LPARAM lparam) {
    const HWND window = reinterpret_cast<HWND>(wparam);
    if (code == HCBT_ACTIVATE && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0 &&
        GetWindow(window, GW_OWNER) != nullptr) {
      for (HWND probed : watched) enabled_while_shown[probed] = IsWindowEnabled(probed) != 0;
      PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      ++boxes_closed;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }
};

TEST_F(RealErrorBoxTest, TheOwnerIsEnabledAndActiveAgainAfterTheBox) {
  const HostWindow host("host");
  auto* form = App().CreateForm<Form>("main", "main");
  form->Show();
  const HWND main_form = WindowFromValue(form->Handle());
  SetActiveWindow(main_form);
  ASSERT_EQ(GetActiveWindow(), main_form);
  watched = {host.Get(), main_form};
  enabled_while_shown.clear();
  boxes_closed = 0;

  HHOOK hook = SetWindowsHookExA(WH_CBT, CloseBoxOnActivation, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  ShowErrorBox("a real box");
  UnhookWindowsHookEx(hook);

  EXPECT_EQ(boxes_closed, 1);
  EXPECT_FALSE(enabled_while_shown[host.Get()]);
  EXPECT_FALSE(enabled_while_shown[main_form]);
  EXPECT_TRUE(IsWindowEnabled(host.Get()));
  EXPECT_TRUE(IsWindowEnabled(main_form));
  EXPECT_EQ(GetActiveWindow(), main_form);
}

}  // namespace
}  // namespace qxqy::win32
