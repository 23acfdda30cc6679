// Bytes 128 to 255 in every text: calls, bands, modes, exchanges and
// prefixes from the host and from the log, both reference files and the
// window caption. They pass through unchanged and compare byte by byte;
// nothing re-encodes, folds or drops them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Plugin/testing/plugin_session_fixture.h"
#include "domlist/dom_list.h"

namespace qxqy::testing {
namespace {

// Windows-1251 text: Cyrillic upper-case letters and their lower-case forms
// (\x31 is the digit 1), plus the highest byte.
const std::string kCall = "\xCF\xD0\xC8\x31\xFF";
const std::string kCallLowerCase = "\xEF\xF0\xE8\x31\xFF";  // same letters, other case
const std::string kBand = "\xB1\xB2";
const std::string kMode = "\xCD\xD7\x80";
const std::string kDistrict = "\xC0\xE9\xFF=\x81";

class HighBytesTest : public PluginSessionTest {};

TEST_F(HighBytesTest, HostTextsAndLogRowsKeepTheirBytes) {
  CreateLogTable();
  InsertRow(kCall, kBand, kMode, "599 \xE0\xE1\xE2", "\xC0\xC1\x31");
  plugin::Run(0, &Host().LogCaption("\xC6\xF3\xF0\xED\xE0\xEB").Get());
  ASSERT_NE(MainForm(), nullptr);
  EXPECT_EQ(MainForm()->Caption(), "\xC6\xF3\xF0\xED\xE0\xEB in QX-QY DX Contest");
  const HostRecord& current = plugin::Module().CurrentRecord;
  EXPECT_EQ(ReadShortText(current.Call), kCall);
  EXPECT_EQ(ReadShortText(current.Mode), kMode);
  EXPECT_EQ(ReadShortText(current.ReportReceived), "599 \xE0\xE1\xE2");
  EXPECT_EQ(ReadShortText(current.Wpx), "\xC0\xC1\x31");

  const ScoringState& scoring = *MainForm()->Session().Scoring();
  ASSERT_EQ(scoring.stat_list().Count(), 1u);
  EXPECT_EQ(scoring.stat_list()[0].Band, kBand);
  EXPECT_EQ(scoring.stat_list()[0].Districts, 0);  // high bytes are no letters A to Z
  ASSERT_EQ(scoring.wpx_mults().Count(), 1u);
  EXPECT_EQ(scoring.wpx_mults()[0], kBand + "|\xC0\xC1\x31|");

  const struct {
    std::string call;
    std::string band;
    std::string mode;
    int32_t score;
  } previews[] = {
      {kCall, kBand, kMode, -1},
      {kCallLowerCase, kBand, kMode, 3},  // calls compare byte by byte
      {kCall, "\xB1\xB3", kMode, 3},
      {kCall, kBand, "\xCD\xD7\x81", 3},
  };
  for (const auto& p : previews) {
    EXPECT_EQ(plugin::GetScore(&Host().Contact(p.call, p.band, p.mode).Get()), p.score)
        << p.call << " " << p.band << " " << p.mode;
  }
  EXPECT_EQ(plugin::AddQSO(&Host().Contact(kCallLowerCase, kBand, kMode).Get()), 3);
  EXPECT_EQ(TotalsCell(1), "2");
}

TEST_F(HighBytesTest, ReferenceFilesKeepTheirBytes) {
  plugins_.Write("qx-qy.dom", "ALB=ALB\r\n" + kDistrict + "\r\n\xC0\xC1\xC2=\xC0\xC1\xC2\r\n");
  plugins_.Write("qx-qy.txt", kCall + "=" + kDistrict + "\r\nQX1AB=\xFE\xFF\r\n");
  CreateLogTable();
  plugin::Run(0, &Host().Get());
  ASSERT_NE(MainForm(), nullptr);
  EXPECT_EQ((*MainForm()->Session().GetDistrictTable())[1], kDistrict);

  ShortText result{};
  plugin::GrabNumber(&Host().LookupCountry("QX").Call(kCall).Get(), &result);
  EXPECT_EQ(ReadShortText(result), kDistrict);
  plugin::GrabNumber(&Host().LookupCountry("QX").Call("QX1AB").Get(), &result);
  EXPECT_EQ(ReadShortText(result), "\xFE\xFF");

  MainForm()->btnOBL1.Click();
  TfmDomList* window = plugin::Module().dom_list.get();
  ASSERT_NE(window, nullptr);
  std::vector<std::string> captions = window->LV1.Captions();
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ(captions, (std::vector<std::string>{"ALB", "\x81", "\xC0\xC1\xC2"}));
}

}  // namespace
}  // namespace qxqy::testing
