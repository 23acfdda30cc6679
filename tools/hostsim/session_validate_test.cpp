#include <gtest/gtest.h>

#include "tools/hostsim/session.h"

namespace qxqy::hostsim {
namespace {

void Check(const std::string& line) { Session::Validate(ParseScript(line, Session::Signatures())); }

TEST(SessionValidateTest, AcceptsTheWindowAndRegistryActions) {
  const char* const lines[] = {
      "reg show TfmMainForm",
      "reg show TfmMainForm CurrentBand",
      "reg set TfmDomList NormPos 1,2,3,4",
      "reg set TfmDomList NormPos \"\"",
      "reg set TfmMainForm LogCaption a text with blanks",
      "reg set-dword TfmMainForm CurrentBand 7",
      "reg set-dword TfmMainForm CurrentBand 0xFFFFFFFF",
      "reg delete TfmDomList",
      "reg delete TfmDomList NormPos",
      "move main 10 20",
      "move multipliers -30000 -30000 400 300",
      "key alt+f4",
      "key alt+f4 multipliers",
      "click-close-box",
      "click-close-box multipliers",
      "hover 14",
      "hover \"a caption with blanks\"",
      "syscommand 0xF063",
      "syscommand 61536 multipliers",
      "show memory",
      "show button-layout multipliers",
      "host disable",
      "host enable",
      "show grid-cells",
      "show fonts multipliers",
  };
  for (const char* line : lines) {
    EXPECT_NO_THROW(Check(line)) << line;
  }
}

TEST(SessionValidateTest, RejectsMalformedWindowAndRegistryActions) {
  const char* const lines[] = {
      "reg",
      "reg show",
      "reg read TfmMainForm",
      "reg show TfmMainForm CurrentBand extra",
      "reg set TfmMainForm CurrentBand",
      "reg set-dword TfmMainForm CurrentBand x7",
      "reg set-dword TfmMainForm CurrentBand -1",
      "reg delete TfmMainForm CurrentBand extra",
      "move main",
      "move main 10",
      "move main 10 20 30",
      "move elsewhere 10 20",
      "move main ten 20",
      "key ctrl+c",
      "key alt+f4 elsewhere",
      "click-close-box elsewhere",
      "hover",
      "syscommand 0x10000",
      "syscommand shut",
      "show heap",
      "host",
      "host activate",
      "host disable now",
  };
  for (const char* line : lines) {
    EXPECT_THROW(Check(line), ScriptError) << line;
  }
}

}  // namespace
}  // namespace qxqy::hostsim
