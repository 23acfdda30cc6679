// What happens when the host's messages run in the middle of a
// recalculation: a release or close dispatched then, an entry point called then.
#include <gtest/gtest.h>

#include "MainForm/main_form_fixture.h"

namespace qxqy::testing {
namespace {

class MainFormReentryTest : public MainFormTest {
 protected:
  void AddRows(int count) {
    for (int i = 0; i < count; ++i) {
      AddLogRow("599", "QX" + std::to_string(i) + "AB", "14", "CW", "QX" + std::to_string(i));
    }
  }
};

TEST_F(MainFormReentryTest, ActionIsDisabledWhileTheRebuildRuns) {
  AddRows(1);
  TfmMainForm* form = Create(HostDefaults());
  bool enabled_during_rebuild = true;
  on_open_ = [&] { enabled_during_rebuild = form->RecalcStatistic.Enabled(); };
  form->Show();
  EXPECT_FALSE(enabled_during_rebuild);
  EXPECT_TRUE(form->RecalcStatistic.Enabled());
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
