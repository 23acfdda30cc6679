#include "Plugin/entry_points.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "MainForm/main_form.h"
#include "Plugin/module_state.h"
#include "base/log_query_override.h"
#include "base/testing/fake_log_query.h"
#include "domlist/dom_list.h"
#include "tests/support/record_builder.h"
#include "tests/support/temp_dir.h"
#include "ui/application.h"
#include "ui/testing/framework_fixture.h"

namespace qxqy::testing {
namespace {

using plugin::Module;

class EntryPointsTest : public FrameworkTest {
 protected:
  EntryPointsTest()
      : query_override_([this](uint32_t) {
          return std::make_unique<FakeLogQuery>(
              std::vector<std::string>{"QSOReportRecived", "CallSign", "DigiBand", "QSOMode",
                                       "WPX"},
              rows_);
        }) {
    plugin::ModuleState& module = Module();
    module.CurrentRecord = HostRecord{};
    module.main_form.reset();
    module.dom_list.reset();
    module.saved_application_handle = 0;
    plugin::OverridePluginsFolder(plugins_.path().string() + "/");
    App().SetHandle(0);
  }

  static RecordBuilder Host() {
    RecordBuilder builder;
    builder.LogTable("QSOs").OwnGroup("QX").QsoGroup("DX").Country("QX").LogCaption("Log");
    return builder;
  }
  static TfmMainForm* MainForm() { return Module().main_form.get(); }

  std::vector<FakeLogQuery::Row> rows_;
  TempDir plugins_;

 private:
  ScopedLogQueryOverride query_override_;
};

TEST_F(EntryPointsTest, GetInfoWritesOnlyItsFieldsLeavingOlderTextBehindTheLengths) {
  PluginInfo info;
  std::memset(&info, '#', sizeof info);
  plugin::GetInfo(&info);
  EXPECT_EQ(ReadShortText(info.Title), "QX-QY DX Contest");
  EXPECT_EQ(ReadShortText(info.Kind), "kavrix_contest");
  EXPECT_EQ(info.InfoValue1, 1);
  EXPECT_EQ(info.InfoValue2, 1);
  EXPECT_EQ(info.Title.bytes[17], '#');
  EXPECT_EQ(info.Kind.bytes[15], '#');
  EXPECT_EQ(info.Title.bytes[255], '#');
}

TEST_F(EntryPointsTest, WithoutAWindowScoringAnswersZeroButStillCopiesTheRecord) {
  EXPECT_EQ(plugin::GetScore(&Host().Call("K1ABC").Get()), 0);
  EXPECT_EQ(ReadShortText(Module().CurrentRecord.Call), "K1ABC");
  EXPECT_EQ(plugin::AddQSO(&Host().Call("K2ABC").Get()), 0);
  EXPECT_EQ(ReadShortText(Module().CurrentRecord.Call), "K2ABC");

  ShortText result;
  std::memset(&result, 'z', sizeof result);
  plugin::GrabNumber(&Host().Call("QX1AB").LookupCountry("QX").Get(), &result);
  EXPECT_EQ(result.bytes[0], 0);
  EXPECT_EQ(result.bytes[1], 'z');
}

TEST_F(EntryPointsTest, ReleaseWithoutRunIsHarmlessAndALaterRunWorks) {
  plugin::ReleasePlugin();
  EXPECT_NE(plugin::Run(0, &Host().Get()), 0u);
  EXPECT_NE(MainForm(), nullptr);
}

TEST_F(EntryPointsTest, RunTwiceKeepsOneWindowAndIgnoresTheSecondRecord) {
  const uint32_t first = plugin::Run(0, &Host().LogCaption("One").Connection(1).Call("A").Get());
  TfmMainForm* form = MainForm();
  const uint32_t second = plugin::Run(0, &Host().LogCaption("Two").Connection(2).Call("B").Get());
  EXPECT_EQ(first, second);
  EXPECT_EQ(MainForm(), form);
  EXPECT_EQ(form->Caption(), "One in QX-QY DX Contest");
  EXPECT_EQ(ReadShortText(Module().CurrentRecord.Call), "A");
  EXPECT_EQ(Module().CurrentRecord.Connection, 1u);
}

TEST_F(EntryPointsTest, ReleaseRestoresTheApplicationHandleSavedByRun) {
  App().SetHandle(0x1234);
  plugin::Run(0, &Host().Get());
  App().SetHandle(0x5678);
  plugin::ReleasePlugin();
  EXPECT_EQ(App().Handle(), 0x1234u);
}

TEST_F(EntryPointsTest, AddQsoScoresRemembersAndRedrawsAndADuplicateGivesMinusOne) {
  plugin::Run(0, &Host().Get());
  EXPECT_EQ(plugin::GetScore(&Host().Contact("QX1AB", "14", "CW", "599 ABC").Get()), 3);
  EXPECT_EQ(MainForm()->Session().Scoring()->qso_list().Count(),
            0u);  // a preview remembers nothing

  EXPECT_EQ(plugin::AddQSO(&Host().Contact("QX1AB", "14", "CW", "599 ABC").Get()), 3);
  EXPECT_EQ(MainForm()->StringGrid1.Cell(1, 4), "1");
  EXPECT_EQ(MainForm()->Label1.Caption(), "Score: 3*(0+1)=3");

  EXPECT_EQ(plugin::AddQSO(&Host().Contact("QX1AB", "14", "CW").Get()), -1);
  EXPECT_EQ(plugin::GetScore(&Host().Contact("QX1AB", "14", "CW").Get()), -1);
  EXPECT_EQ(MainForm()->StringGrid1.Cell(1, 7), "1");
  EXPECT_EQ(plugin::AddQSO(&Host().Contact("QX1AB", "14", "SSB").OwnGroup("dx").Get()), 1);
}

TEST_F(EntryPointsTest, AddQsoFindsRepeatsWhateverTheOrderCallsArriveIn) {
  plugin::Run(0, &Host().Get());
  const char* calls[] = {"QX9", "QX1", "QX5", "qx2", "QX1 "};
  for (const char* call : calls) {
    EXPECT_EQ(plugin::AddQSO(&Host().Contact(call, "14", "CW").Get()), 3) << call;
  }
  for (const char* call : calls) {
    EXPECT_EQ(plugin::AddQSO(&Host().Contact(call, "14", "CW").Get()), -1) << call;
  }
  EXPECT_EQ(plugin::AddQSO(&Host().Contact("qx9", "14", "CW").Get()), 3) << "case counts";
  EXPECT_EQ(MainForm()->Session().Scoring()->qso_list().Count(), 6u);
}

TEST_F(EntryPointsTest, GrabNumberSuggestsTheDistrictCutTo255Characters) {
  plugins_.Write("qx-qy.txt", "QX1AB=" + std::string(300, 'D') + "\r\nQY2CD=BEX\r\n");
  plugin::Run(0, &Host().Get());
  ShortText result;
  std::memset(&result, 'z', sizeof result);
  plugin::GrabNumber(&Host().Call("QX1AB").LookupCountry(" qx ").Get(), &result);
  EXPECT_EQ(ReadShortText(result), std::string(255, 'D'));

  std::memset(&result, 'z', sizeof result);
  plugin::GrabNumber(&Host().Call("QY2CD").LookupCountry("QY").Get(), &result);
  EXPECT_EQ(ReadShortText(result), "BEX");
  EXPECT_EQ(result.bytes[4], 'z');

  plugin::GrabNumber(&Host().Call("QY2CD").LookupCountry("DL").Get(), &result);
  EXPECT_EQ(ReadShortText(result), "");
}

TEST_F(EntryPointsTest, AfterReleaseTheEntryPointsAnswerAsIdleAndTheWindowGoesAtTheNextDispatch) {
  plugin::Run(0, &Host().Get());
  ComponentRef<TfmMainForm> old_form(MainForm());
  plugin::ReleasePlugin();
  EXPECT_EQ(MainForm(), nullptr);
  EXPECT_FALSE(old_form.empty());
  EXPECT_EQ(plugin::AddQSO(&Host().Contact("K1ABC", "14", "CW").Get()), 0);
  App().ProcessMessages();
  EXPECT_TRUE(old_form.empty());
}

TEST_F(EntryPointsTest, RunDuringAPendingReleaseBuildsAFreshWindowAtOnce) {
  rows_.push_back({"599", "QX1AB", "14", "CW", "QX1"});
  plugin::Run(0, &Host().Get());
  plugin::AddQSO(&Host().Contact("K1ABC", "21", "CW").Get());
  ComponentRef<TfmMainForm> old_form(MainForm());
  old_form->btnOBL1.Click();
  ASSERT_FALSE(Module().dom_list.empty());

  plugin::ReleasePlugin();
  // Until the release is dispatched the old windows live on.
  EXPECT_FALSE(old_form.empty());
  EXPECT_FALSE(Module().dom_list.empty());

  plugin::Run(0, &Host().Get());
  TfmMainForm* fresh = MainForm();
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->Session().Scoring()->qso_list().Count(), 1u);  // rebuilt from the log only
  // The new window's first recalculation let the pending release run: the
  // old window went with its multiplier window, and District opens a new one.
  EXPECT_TRUE(old_form.empty());
  EXPECT_TRUE(Module().dom_list.empty());
  fresh->btnOBL1.Click();
  EXPECT_FALSE(Module().dom_list.empty());
}

TEST_F(EntryPointsTest, DistrictDoesNothingWhileAMultiplierWindowOfAReleasedWindowLivesOn) {
  plugin::Run(0, &Host().Get());
  MainForm()->btnOBL1.Click();
  TfmDomList* old_dom_list = Module().dom_list.get();
  ASSERT_NE(old_dom_list, nullptr);
  plugin::ReleasePlugin();
  // A window built while the release is pending, without letting messages run.
  TfmMainForm* fresh = App().CreateForm<TfmMainForm>(Host().Get(), Module().MainWindowContext());
  fresh->btnOBL1.Click();
  EXPECT_EQ(Module().dom_list.get(), old_dom_list);
  App().ProcessMessages();
  EXPECT_TRUE(Module().dom_list.empty());
}

TEST_F(EntryPointsTest, ACloseOfTheWindowMakesTheModuleIdle) {
  plugin::Run(0, &Host().Get());
  MainForm()->Close();
  EXPECT_EQ(MainForm(), nullptr);
  EXPECT_EQ(plugin::GetScore(&Host().Contact("K1ABC", "14", "CW").Get()), 0);
  App().ProcessMessages();
  EXPECT_NE(plugin::Run(0, &Host().Get()), 0u);
}

TEST_F(EntryPointsTest, ALockedReferenceFileFailsTheWindowsConstruction) {
  // A folder where the district table should be is skipped; an unreadable
  // file is an error that leaves no window behind.
  plugins_.Write("qx-qy.dom/inside", "");
  EXPECT_NO_THROW(plugin::Run(0, &Host().Get()));
  plugin::ReleasePlugin();
  App().ProcessMessages();
}

}  // namespace
}  // namespace qxqy::testing
