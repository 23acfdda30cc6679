#include "tools/hostsim/abi_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

extern "C" {
// Callees that break one rule each, in assembly so that the compiler
// cannot repair what they break.
void BadClobberEbx();
void BadClobberEsi();
void BadClobberEdi();
void BadClobberEbp();
void BadPopsFourBytes();
void BadLeavesDirectionFlag();
void BadChangesControlWord();
void BadLeavesX87Value();
void BadLeavesPendingException();
}

__asm__(
    "  .text\n"
    "_BadClobberEbx: movl $1, %ebx\n ret\n"
    "_BadClobberEsi: movl $1, %esi\n ret\n"
    "_BadClobberEdi: movl $1, %edi\n ret\n"
    "_BadClobberEbp: movl $1, %ebp\n ret\n"
    "_BadPopsFourBytes: ret $4\n"
    "_BadLeavesDirectionFlag: std\n ret\n"
    "_BadChangesControlWord: pushl $0x037F\n fldcw (%esp)\n addl $4, %esp\n ret\n"
    "_BadLeavesX87Value: fld1\n ret\n"
    "_BadLeavesPendingException:\n"
    "  subl $28, %esp\n"
    "  fnstenv (%esp)\n"
    "  orw $0x0084, 4(%esp)\n"  // zero-divide flag and the error summary
    "  fldenv (%esp)\n"
    "  addl $28, %esp\n"
    "  ret\n");

namespace qxqy::hostsim {
namespace {

extern "C" __attribute__((regparm(3))) int WellBehaved(int first, int second) {
  volatile double scale = 2.5;  // uses the x87 unit and cleans up after itself
  return static_cast<int>(first * scale) - second;
}

class AbiCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFpu(kHostFpuControl, ReadFpuState().mxcsr);
    host_ = ReadFpuState();
  }
  void TearDown() override { ResetFpu(0x037F, host_.mxcsr); }

  FpuState host_;
};

TEST_F(AbiCheckTest, PassesArgumentsInEaxAndEdxAndReturnsEax) {
  const ExportCallResult result =
      CallExport(reinterpret_cast<const void*>(&WellBehaved), 40, 7, host_);
  EXPECT_EQ(result.value, 93u);
  EXPECT_TRUE(result.violations.empty()) << result.violations.front();
}

TEST_F(AbiCheckTest, ReportsEachBrokenRuleAndRestoresTheHost) {
  const struct {
    void (*callee)();
    const char* violation;
  } cases[] = {
      {BadClobberEbx, "EBX not preserved"},
      {BadClobberEsi, "ESI not preserved"},
      {BadClobberEdi, "EDI not preserved"},
      {BadClobberEbp, "EBP not preserved"},
      {BadPopsFourBytes, "ESP moved by 4 bytes"},
      {BadLeavesDirectionFlag, "direction flag left set"},
      {BadChangesControlWord, "x87 control word 0x037F instead of 0x1372"},
      {BadLeavesX87Value, "x87 register stack not empty (tags 0x3FFF)"},
      {BadLeavesPendingException, "x87 exception pending (status 0x8084)"},
  };
  for (const auto& c : cases) {
    const ExportCallResult result =
        CallExport(reinterpret_cast<const void*>(c.callee), 0, 0, host_);
    ASSERT_EQ(result.violations.size(), 1u) << c.violation;
    EXPECT_EQ(result.violations[0], c.violation);
    EXPECT_TRUE(FpuViolations(host_, ReadFpuState()).empty()) << "after: " << c.violation;
  }
}

TEST_F(AbiCheckTest, MaskScopeLetsTheSimulatorComputeAndRestoresTheControlWord) {
  {
    FpuMaskScope masked;
    volatile double zero = 0.0;
    volatile double quotient = 1.0 / zero;  // would trap with the host's control word
    EXPECT_GT(quotient, 1e300);
  }
  EXPECT_TRUE(FpuViolations(host_, ReadFpuState()).empty());
}

}  // namespace
}  // namespace qxqy::hostsim
