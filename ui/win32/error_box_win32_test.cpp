// The native error box: the message as text, "Error" as caption, the error
// icon, owned by our active window or else by the application handle.
#include <gtest/gtest.h>
#include <windows.h>

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

class ErrorBoxWin32Test : public qxqy::testing::FrameworkTest {
 protected:
  ErrorBoxWin32Test()
      : hook_([this](HWND owner, const std::string& text, const std::string& caption, UINT type) {
          shown_.push_back(ShownBox{owner, text, caption, type});
          return IDOK;
        }) {
    SetErrorBoxQuiet(false);
  }
  ~ErrorBoxWin32Test() override { SetErrorBoxQuiet(true); }

  std::vector<ShownBox> shown_;
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

TEST_F(ErrorBoxWin32Test, QuietModeShowsNothing) {
  SetErrorBoxQuiet(true);
  ShowErrorBox("recorded only");
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(ErrorBoxLog(), std::vector<std::string>{"recorded only"});
}

}  // namespace
}  // namespace qxqy::win32
