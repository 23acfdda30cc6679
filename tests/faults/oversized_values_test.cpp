// Values of 1 MB in every text column of the log: each is cut to its first
// 255 characters when it is put into the record, and everything that
// follows (duplicates, multipliers, totals, the next host call) works on
// the cut values.
#include <gtest/gtest.h>

#include <string>

#include "Plugin/testing/plugin_session_fixture.h"

namespace qxqy::testing {
namespace {

constexpr size_t kMegabyte = 1 << 20;

// 1 MB whose first 255 characters are `head` padded with `fill`.
std::string Huge(const std::string& head, char fill, char tail) {
  std::string value = head;
  value.resize(255, fill);
  value.resize(kMegabyte, tail);
  return value;
}

class OversizedValuesTest : public PluginSessionTest {};

TEST_F(OversizedValuesTest, MegabyteColumnsAreCutTo255AndNothingElseBreaks) {
  plugins_.Write("qx-qy.dom", "ZZZ=ZZZ\r\n");
  CreateLogTable();
  const std::string call = Huge("QX1AB", 'C', '1');
  const std::string band = Huge("14", ' ', '2');
  const std::string mode = Huge("CW", 'M', '3');
  const std::string report = Huge("599 ", 'Z', '4');  // its first 255 end in ZZZ
  const std::string wpx = Huge("QX1", 'W', '5');
  InsertRow(call, band, mode, report, wpx);
  // Equal to the first row in their first 255 characters only: a duplicate.
  InsertRow(Huge("QX1AB", 'C', '6'), Huge("14", ' ', '7'), Huge("CW", 'M', '8'), report, wpx);

  plugin::Run(0, &Host().Band("7").Get());
  ASSERT_NE(MainForm(), nullptr);
  EXPECT_TRUE(ErrorBoxLog().empty());
  const HostRecord& current = plugin::Module().CurrentRecord;
  EXPECT_EQ(ReadShortText(current.Call), call.substr(0, 255));
  EXPECT_EQ(ReadShortText(current.ReportReceived), report.substr(0, 255));
  EXPECT_EQ(ReadShortText(current.Wpx), wpx.substr(0, 255));
  EXPECT_EQ(ReadShortText(current.Band), "7");  // put back after the replay
  EXPECT_EQ(TotalsCell(1), "1");
  EXPECT_EQ(TotalsCell(3), "1");  // district ZZZ from the end of the cut exchange
  EXPECT_EQ(TotalsCell(4), "1");
  EXPECT_EQ(MainForm()->Label1.Caption(), "Score: 3*(1+1)=6");

  // The host's own record holds at most 255 characters: the cut contact is
  // a duplicate, the same call on another band is not.
  EXPECT_EQ(
      plugin::GetScore(
          &Host().Contact(call.substr(0, 255), band.substr(0, 255), mode.substr(0, 255)).Get()),
      -1);
  EXPECT_EQ(plugin::AddQSO(&Host().Contact(call.substr(0, 255), "21", mode.substr(0, 255)).Get()),
            3);
  EXPECT_EQ(TotalsCell(1), "2");
}

}  // namespace
}  // namespace qxqy::testing
