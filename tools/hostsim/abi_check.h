// What the host relies on when a plug-in function returns, and the checks of
// it: callee-saved registers (EBX, ESI, EDI, EBP), ESP, the direction flag,
// the x87 control word, no unmasked x87 exception pending, an empty x87
// register stack, and the MXCSR control bits. The host runs with x87
// exceptions unmasked, as such hosts do, so a plug-in that leaves a pending
// exception or changes the control word breaks the host's next floating-point
// instruction.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qxqy::hostsim {

// The host's x87 control word: precision 64 bits, round to nearest,
// invalid-operation, zero-divide and overflow exceptions unmasked (bit 6 is
// reserved and always reads as 1).
constexpr uint16_t kHostFpuControl = 0x1372;

struct FpuState {
  uint16_t control = 0;
  uint16_t status = 0;
  uint16_t tags = 0;  // 0xFFFF: every x87 register empty
  uint32_t mxcsr = 0;
};

FpuState ReadFpuState();

// Clears the x87 unit (registers, flags) and loads `control`; loads `mxcsr`.
void ResetFpu(uint16_t control, uint32_t mxcsr);

// How `now` breaks the host's `expected` state; empty when it does not.
std::vector<std::string> FpuViolations(const FpuState& expected, const FpuState& now);

struct ExportCallResult {
  uint32_t value = 0;
  std::vector<std::string> violations;  // empty when the convention was kept
};

// Calls `function` with the register convention (register_call.h) and checks
// the registers, ESP, the direction flag and the FPU against `host_fpu`.
// Afterwards the FPU is reset to `host_fpu`, whatever the callee left.
ExportCallResult CallExport(const void* function, uint32_t eax, uint32_t edx,
                            const FpuState& host_fpu);

// Masks every x87 exception while it lives (the simulator's own
// floating-point work: number conversions), then clears the flags that work
// raised and restores the control word it found.
class FpuMaskScope {
 public:
  FpuMaskScope();
  ~FpuMaskScope();
  FpuMaskScope(const FpuMaskScope&) = delete;
  FpuMaskScope& operator=(const FpuMaskScope&) = delete;

 private:
  uint16_t saved_control_;
};

}  // namespace qxqy::hostsim
