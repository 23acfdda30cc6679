// What happens when the host's messages run in the middle of a
// recalculation: a press of Recalc, a release or close dispatched then, an
// entry point called then.
#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <utility>

#include "MainForm/main_form_fixture.h"

namespace qxqy::testing {
namespace {

// A window that presses `button` as it goes: released, it stands for a
// press that the host's loop dispatches later.
class PressWhenReleased : public Form {
 public:
  PressWhenReleased(Component* owner, Button& button)
      : Form(owner, "pressWhenReleased", "TPressWhenReleased"), button_(button) {}
  ~PressWhenReleased() override { button_.Click(); }

 private:
  Button& button_;
};

// A window that runs a hook when it is destroyed.
class RunWhenDestroyed : public Form {
 public:
  RunWhenDestroyed(Component* owner, std::function<void()> on_destroy)
      : Form(owner, "runWhenDestroyed", "TRunWhenDestroyed"), on_destroy_(std::move(on_destroy)) {}
  ~RunWhenDestroyed() override { on_destroy_(); }

 private:
  std::function<void()> on_destroy_;
};

class MainFormReentryTest : public MainFormTest {
 protected:
  void AddRows(int count) {
    for (int i = 0; i < count; ++i) {
      AddLogRow("599", "QX" + std::to_string(i) + "AB", "14", "CW", "QX" + std::to_string(i));
    }
  }
};

TEST_F(MainFormReentryTest, RecalcIsDisabledWhileTheRebuildRunsAndIgnoresAPressThen) {
  AddRows(1);
  TfmMainForm* form = Create(HostDefaults());
  bool enabled_during_rebuild = true;
  on_open_ = [&] {
    enabled_during_rebuild = form->BitBtn1.Enabled();
    form->BitBtn1.Click();
  };
  form->Show();
  EXPECT_FALSE(enabled_during_rebuild);
  EXPECT_EQ(query_->OpenedTexts().size(), 1u) << "the press during the rebuild did nothing";
  EXPECT_TRUE(form->BitBtn1.Enabled());
}

// Recalc is still enabled while the messages that were pending when it was
// pressed run: a press among them recalculates at once, and then the
// interrupted recalculation goes on.
TEST_F(MainFormReentryTest, APressDispatchedBeforeTheRebuildStartsANestedRecalculation) {
  AddRows(2);
  TfmMainForm* form = Open(HostDefaults());
  const size_t opened = query_->OpenedTexts().size();
  App().CreateForm<PressWhenReleased>(form->BitBtn1)->Release();
  form->BitBtn1.Click();
  EXPECT_EQ(query_->OpenedTexts().size(), opened + 2);
  EXPECT_EQ(form->Label1.Caption(), "Score: 6*(0+2)=12");
  EXPECT_TRUE(form->BitBtn1.Enabled());
  EXPECT_TRUE(ErrorBoxLog().empty());
}

// The rebuild's pause lets the messages pending when the log opened run once,
// before its first row: a window released then is gone before any contact is
// replayed.
TEST_F(MainFormReentryTest, MessagesPendingWhenTheLogOpensRunBeforeTheFirstRow) {
  AddRows(2);
  TfmMainForm* form = Create(HostDefaults());
  std::optional<size_t> contacts_when_destroyed;
  const auto count_contacts = [&] {
    contacts_when_destroyed = form->Session().Scoring()->qso_list().Count();
  };
  on_open_ = [&] { App().CreateForm<RunWhenDestroyed>(count_contacts)->Release(); };
  form->Show();
  ASSERT_TRUE(contacts_when_destroyed.has_value()) << "the release was not dispatched";
  EXPECT_EQ(*contacts_when_destroyed, 0u);
  EXPECT_EQ(form->Session().Scoring()->qso_list().Count(), 2u);
}

TEST_F(MainFormReentryTest, AReleaseDispatchedDuringTheRebuildWaitsUntilItHasReturned) {
  AddRows(3);
  TfmMainForm* form = Create(HostDefaults());
  ComponentRef<TfmMainForm> watch(form);
  on_open_ = [&] {
    form->Release();
    main_ref_.reset();
  };
  form->Show();
  // The rebuild ran to the end on a live window.
  ASSERT_FALSE(watch.empty());
  EXPECT_EQ(form->Session().Scoring()->qso_list().Count(), 3u);
  EXPECT_EQ(form->Label1.Caption(), "Score: 9*(0+3)=27");
  App().ProcessMessages();
  EXPECT_TRUE(watch.empty());
}

TEST_F(MainFormReentryTest, ACloseDuringTheRebuildStopsItWithoutTouchingReleasedLists) {
  AddRows(3);
  TfmMainForm* form = Create(HostDefaults());
  ComponentRef<TfmMainForm> watch(form);
  on_open_ = [&] { form->Close(); };
  form->Show();
  EXPECT_TRUE(main_ref_.empty());
  EXPECT_EQ(form->Session().Scoring(), nullptr);
  EXPECT_TRUE(ErrorBoxLog().empty());
  App().ProcessMessages();
  EXPECT_TRUE(watch.empty());
}

TEST_F(MainFormReentryTest, AContactLoggedDuringThePauseLandsInTheEmptiedStateAndTheReplayGoesOn) {
  AddRows(2);
  TfmMainForm* form = Create(HostDefaults().Band("7"));
  on_open_ = [&] {
    EXPECT_EQ(form->Session().Scoring()->qso_list().Count(), 0u);
    CopyHostRecord(current_, &HostDefaults().Contact("K1ABC", "21", "CW").Get());
    EXPECT_EQ(form->Session().Commit(), 3);
  };
  form->Show();
  EXPECT_EQ(form->Session().Scoring()->qso_list().Count(), 3u);
  // The band remembered before the pause is put back, not the one of the
  // record the host sent during it.
  EXPECT_EQ(ReadShortText(current_.Band), "7");
}

}  // namespace
}  // namespace qxqy::testing
