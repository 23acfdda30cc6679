// Stored settings that are garbage, read by the real windows through their
// settings stores: a "CurrentBand" that is no band number, placements with
// too few fields, no numbers or off every screen, a pixel density that is
// no number, and an INI file full of broken lines. Each is ignored where it
// is read; none is ever fatal or shown to the operator.
#include <gtest/gtest.h>

#include <string>

#include "MainForm/main_form_fixture.h"
#include "base/posix/ini_settings_store.h"
#include "domlist/dom_list.h"
#include "ui/screen.h"

namespace qxqy::testing {
namespace {

constexpr int kMainLeft = 1009;
constexpr int kMainTop = 201;
constexpr int kMultiplierLeft = 1020;
constexpr int kMultiplierTop = 164;
constexpr int kButtonTen = 4;

class SettingsFaultTest : public MainFormTest {
 protected:
  // Opens the main window and its multiplier window, both restoring from
  // the store in place.
  TfmDomList& OpenBoth() {
    main_form_ = Open(HostDefaults());
    main_form_->btnOBL1.Click();
    EXPECT_FALSE(dom_ref_.empty());
    return *dom_ref_;
  }
  static int DownBand(const TfmDomList& window) {
    for (int band = 1; band <= 9; ++band) {
      if (window.BandButton(band).Down()) return band;
    }
    return 0;
  }

  TfmMainForm* main_form_ = nullptr;
};

TEST_F(SettingsFaultTest, GarbageStoredValuesAreIgnored) {
  const std::string ppi = std::to_string(ScreenPixelsPerInch());
  const struct {
    std::string current_band;
    std::string norm_pos;
    std::string pixels_per_inch;
    std::string band_saved;  // what the multiplier window stores back
  } cases[] = {
      {"abc", "garbage", ppi, "0"},
      {"", "10,20,30", ppi, "0"},
      {"5x", "10,20,x,40", ppi, "0"},
      {"\xFF\xFE", "-9000,-9000,-8000,-8000", ppi, "0"},
      {"99999999999", "100,100,100,100", ppi, "0"},
      {"12", "100,100,500,400", "ninety-six", "12"},
      {"-1", "100,100,500,400,7", "", "-1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("CurrentBand \"" + c.current_band + "\" NormPos \"" + c.norm_pos +
                 "\" PixelsPerInch \"" + c.pixels_per_inch + "\"");
    store_.Clear();
    store_.Set("TfmMainForm", "CurrentBand", c.current_band);
    for (const char* section : {"TfmMainForm", "TfmDomList"}) {
      store_.Set(section, "NormPos", c.norm_pos);
      store_.Set(section, "PixelsPerInch", c.pixels_per_inch);
      store_.Set(section, "ShowCmd", "not a number");
      store_.Set(section, "Visible", "maybe");
    }
    TfmDomList& window = OpenBoth();
    EXPECT_EQ(main_form_->Left(), kMainLeft);
    EXPECT_EQ(main_form_->Top(), kMainTop);
    EXPECT_FALSE(main_form_->Minimized());
    EXPECT_EQ(window.Left(), kMultiplierLeft);
    EXPECT_EQ(window.Top(), kMultiplierTop);
    EXPECT_EQ(DownBand(window), kButtonTen);
    EXPECT_EQ(window.CurrentBandText, "");
    EXPECT_TRUE(ErrorBoxLog().empty());

    main_form_->Close();
    App().ProcessMessages();
    EXPECT_EQ(store_.Get("TfmMainForm", "CurrentBand"), c.band_saved);
    EXPECT_TRUE(ErrorBoxLog().empty());
  }
}

TEST_F(SettingsFaultTest, AnIniFileWithBrokenLinesStillGivesItsGoodValues) {
  TempDir config;
  const std::string ppi = std::to_string(ScreenPixelsPerInch());
  const std::string content =
      "garbage before any section\n"
      "[TfmMainForm\n"
      "CurrentBand=9\n"
      "[TfmMainForm]\r\n"
      "=no name\r\n"
      "CurrentBand=5\r\n"
      "\xFF\xFE\x01 binary\n"
      "[TfmDomList]\n"
      "PixelsPerInch=" +
      ppi +
      "\n"
      "NormPos=100,100,439,282\n"
      "NormPos\n";
  const std::string path = config.Write("Logger.ini", content);
  IniSettingsStore ini(path);
  const FormStorage::ScopedStoreOverride use_ini(&ini);

  TfmDomList& window = OpenBoth();
  EXPECT_EQ(DownBand(window), 5);
  EXPECT_EQ(window.CurrentBandText, "14");
  EXPECT_EQ(window.Left(), 100);
  EXPECT_EQ(window.Top(), 100);
  EXPECT_TRUE(ErrorBoxLog().empty());

  window.BandButton(7).Click();
  main_form_->Close();
  App().ProcessMessages();
  EXPECT_TRUE(ErrorBoxLog().empty());
  EXPECT_EQ(IniSettingsStore(path).Read("TfmMainForm", "CurrentBand"), "7");
}

}  // namespace
}  // namespace qxqy::testing
