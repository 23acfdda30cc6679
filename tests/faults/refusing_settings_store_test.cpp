// The settings store refusing to write while the plug-in's windows close:
// by the close message to the main window, by _Release's destruction, and
// the multiplier window closed alone. The windows close as always, no error
// box holds up the close, nothing of the contest is lost, and the next start
// reads what the store held before.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Plugin/testing/plugin_session_fixture.h"
#include "base/error.h"
#include "domlist/dom_list.h"
#include "ui/screen.h"

namespace qxqy::testing {
namespace {

constexpr char kMain[] = "TfmMainForm";
constexpr char kMultiplier[] = "TfmDomList";
// What an earlier session stored: both windows moved, band 14 selected.
constexpr char kMainPosition[] = "300,200,634,421";
constexpr char kMultiplierPosition[] = "40,60,379,342";
constexpr char kStoredBand[] = "5";

// Forwards to a FakeSettingsStore and accepts only the first `accepted`
// writes; the later ones throw as a refusing store does.
class StoreFailingAfter : public SettingsStore {
 public:
  StoreFailingAfter(FakeSettingsStore& inner, int accepted) : inner_(inner), left_(accepted) {}
  std::optional<std::string> Read(const std::string& section, const std::string& name) override {
    return inner_.Read(section, name);
  }
  void Write(const std::string& section, const std::string& name,
             const std::string& value) override {
    if (left_ == 0) throw Error("cannot write " + section + "\\" + name);
    --left_;
    inner_.Write(section, name, value);
  }

 private:
  FakeSettingsStore& inner_;
  int left_;
};

class RefusingSettingsStoreTest : public PluginSessionTest {
 protected:
  RefusingSettingsStoreTest() {
    CreateLogTable();
    InsertRow("QX1AB", "7", "CW", "599 ALB", "QX1");
    InsertRow("QX2CD", "14", "SSB", "599 BEX", "QX2");
    plugins_.Write("qx-qy.dom", "ALB=ALB\r\nBEX=BEX\r\n");
    PutBackTheStoredValues();
  }

  void PutBackTheStoredValues() {
    store_.Clear();
    const std::string ppi = std::to_string(ScreenPixelsPerInch());
    for (const char* section : {kMain, kMultiplier}) store_.Set(section, "PixelsPerInch", ppi);
    store_.Set(kMain, "NormPos", kMainPosition);
    store_.Set(kMultiplier, "NormPos", kMultiplierPosition);
    store_.Set(kMain, "CurrentBand", kStoredBand);
  }

  // Runs the plug-in, opens the multiplier window on band 7 and logs one
  // contact live (written to the log, then sent with AddQSO).
  void StartAndWork() {
    Exec("DELETE FROM QSOs WHERE CallSign = 'QX3EF'");  // logged live by an earlier case
    plugin::Run(0, &Host().Get());
    ASSERT_NE(MainForm(), nullptr);
    MainForm()->btnOBL1.Click();
    ASSERT_NE(Multiplier(), nullptr);
    Multiplier()->BandButton(3).Click();
    // The operator moves both windows, so a save would change what is stored.
    MainForm()->SetBounds(500, 150, MainForm()->Width(), MainForm()->Height());
    Multiplier()->SetBounds(80, 90, 339, 282);
    InsertRow("QX3EF", "7", "CW", "599 BEX", "QX3");
    ASSERT_EQ(plugin::AddQSO(&Host().Contact("QX3EF", "7", "CW", "599 BEX").Wpx("QX3").Get()), 3);
    ASSERT_EQ(MainForm()->Label1.Caption(), kScoreLine);
  }

  // What the store held before this session, value by value.
  void ExpectTheStoreAsBefore() {
    EXPECT_EQ(store_.Get(kMain, "NormPos"), kMainPosition);
    EXPECT_EQ(store_.Get(kMultiplier, "NormPos"), kMultiplierPosition);
    EXPECT_EQ(store_.Get(kMain, "CurrentBand"), kStoredBand);
  }

  // The next start: the windows where the store had them, band 14 down,
  // and the whole contest counted from the log.
  void ExpectTheNextStartAsStored() {
    plugin::Run(0, &Host().Get());
    ASSERT_NE(MainForm(), nullptr);
    EXPECT_EQ(MainForm()->Left(), 300);
    EXPECT_EQ(MainForm()->Top(), 200);
    EXPECT_EQ(MainForm()->Label1.Caption(), kScoreLine);
    MainForm()->btnOBL1.Click();
    ASSERT_NE(Multiplier(), nullptr);
    EXPECT_EQ(Multiplier()->BoundsRect(), (Rect{40, 60, 379, 342}));
    EXPECT_TRUE(Multiplier()->BandButton(5).Down());
    EXPECT_TRUE(ErrorBoxLog().empty());
  }

  static TfmDomList* Multiplier() { return plugin::Module().dom_list.get(); }

  // Three contacts at 3 points; districts ALB and BEX on 7, BEX on 14;
  // prefixes QX1 and QX3 on 7, QX2 on 14.
  static constexpr char kScoreLine[] = "Score: 9*(3+3)=54";
};

struct ClosePath {
  const char* name;
  std::function<void()> close;
};

const ClosePath kClosePaths[] = {
    {"close message to the main window", [] { plugin::Module().main_form->Close(); }},
    {"_Release", [] { plugin::ReleasePlugin(); }},
};

TEST_F(RefusingSettingsStoreTest, BothWindowsCloseSilentlyAndTheNextStartReadsTheOldValues) {
  for (const ClosePath& path : kClosePaths) {
    SCOPED_TRACE(path.name);
    store_.SetFailWrites(false);
    StartAndWork();
    store_.SetFailWrites(true);
    path.close();
    App().ProcessMessages();
    EXPECT_TRUE(ErrorBoxLog().empty());
    EXPECT_EQ(MainForm(), nullptr);
    EXPECT_EQ(Multiplier(), nullptr);
    ExpectTheStoreAsBefore();

    store_.SetFailWrites(false);
    ExpectTheNextStartAsStored();
    plugin::ReleasePlugin();
    App().ProcessMessages();
    PutBackTheStoredValues();
  }
}

TEST_F(RefusingSettingsStoreTest, TheMultiplierWindowClosesAloneAndTheContestGoesOn) {
  StartAndWork();
  store_.SetFailWrites(true);
  Multiplier()->Close();
  App().ProcessMessages();
  EXPECT_TRUE(ErrorBoxLog().empty());
  EXPECT_EQ(Multiplier(), nullptr);
  EXPECT_EQ(store_.Get(kMultiplier, "NormPos"), kMultiplierPosition);
  ASSERT_NE(MainForm(), nullptr);
  EXPECT_EQ(MainForm()->Label1.Caption(), kScoreLine);
  EXPECT_EQ(plugin::GetScore(&Host().Contact("QX3EF", "7", "CW").Get()), -1);
  EXPECT_EQ(plugin::AddQSO(&Host().Contact("QX4GH", "14", "CW", "599 ALB").Wpx("QX4").Get()), 3);
  EXPECT_EQ(MainForm()->Label1.Caption(), "Score: 12*(4+4)=96");
}

TEST_F(RefusingSettingsStoreTest, AStoreThatFailsPartWayClosesJustAsSilently) {
  // Every point at which the store may give up during the close's saves.
  for (int accepted = 0;; ++accepted) {
    SCOPED_TRACE(std::to_string(accepted) + " writes accepted");
    store_.SetFailWrites(false);
    StartAndWork();
    const int writes_before = store_.WriteCount();
    {
      StoreFailingAfter failing(store_, accepted);
      const FormStorage::ScopedStoreOverride use_failing(&failing);
      plugin::Module().main_form->Close();
      App().ProcessMessages();
    }
    const int written = store_.WriteCount() - writes_before;
    EXPECT_TRUE(ErrorBoxLog().empty());
    EXPECT_EQ(MainForm(), nullptr);
    EXPECT_EQ(Multiplier(), nullptr);
    // Each value is left either as before or as saved, so the next start
    // finds the main window at one of its two places.
    plugin::Run(0, &Host().Get());
    ASSERT_NE(MainForm(), nullptr);
    EXPECT_TRUE(MainForm()->Left() == 300 || MainForm()->Left() == 500) << MainForm()->Left();
    EXPECT_EQ(MainForm()->Label1.Caption(), kScoreLine);
    plugin::ReleasePlugin();
    App().ProcessMessages();
    PutBackTheStoredValues();
    if (written < accepted) break;  // the close's saves all went through: done
  }
}

}  // namespace
}  // namespace qxqy::testing
