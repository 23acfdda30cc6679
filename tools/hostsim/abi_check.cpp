#include "tools/hostsim/abi_check.h"

#include <cstdio>

#include "tools/hostsim/register_call.h"

namespace qxqy::hostsim {

namespace {

// Values loaded into the callee-saved registers before each call; anything
// else afterwards means the callee did not restore them.
constexpr uint32_t kEbxSentinel = 0x5EB0E1B1;
constexpr uint32_t kEsiSentinel = 0x5E51E2B2;
constexpr uint32_t kEdiSentinel = 0x5ED1E3B3;
constexpr uint32_t kEbpSentinel = 0x5EB9E4B4;
constexpr uint32_t kEcxJunk = 0xC3C3C3C3;  // no export takes a third argument
constexpr uint32_t kStackMisalign = 4;
constexpr uint32_t kDirectionFlag = 1u << 10;
constexpr uint16_t kExceptionBits = 0x3F;
constexpr uint32_t kMxcsrControlBits = 0xFFC0;

struct X87Environment {
  uint16_t control, unused0, status, unused1, tags, unused2;
  uint32_t ip, cs, operand, ds;
};

std::string Hex(uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
  return text;
}

void CheckRegister(const char* name, uint32_t sentinel, uint32_t after,
                   std::vector<std::string>& violations) {
  if (after != sentinel) violations.push_back(std::string(name) + " not preserved");
}

}  // namespace

FpuState ReadFpuState() {
  X87Environment env{};
  // fnstenv masks all exceptions as a side effect; fldenv puts the state back.
  __asm__ volatile("fnstenv %0\n\tfldenv %0" : "+m"(env));
  FpuState state;
  state.control = env.control;
  state.status = env.status;
  state.tags = env.tags;
  __asm__ volatile("stmxcsr %0" : "=m"(state.mxcsr));
  return state;
}

void ResetFpu(uint16_t control, uint32_t mxcsr) {
  __asm__ volatile("fninit\n\tfldcw %0" : : "m"(control));
  __asm__ volatile("ldmxcsr %0" : : "m"(mxcsr));
}

std::vector<std::string> FpuViolations(const FpuState& expected, const FpuState& now) {
  std::vector<std::string> violations;
  if (now.control != expected.control) {
    violations.push_back("x87 control word " + Hex(now.control, 4) + " instead of " +
                         Hex(expected.control, 4));
  }
  const uint16_t unmasked = static_cast<uint16_t>(~expected.control & kExceptionBits);
  if (now.status & unmasked) {
    violations.push_back("x87 exception pending (status " + Hex(now.status, 4) + ")");
  }
  if (now.tags != 0xFFFF) {
    violations.push_back("x87 register stack not empty (tags " + Hex(now.tags, 4) + ")");
  }
  if ((now.mxcsr & kMxcsrControlBits) != (expected.mxcsr & kMxcsrControlBits)) {
    violations.push_back("MXCSR " + Hex(now.mxcsr, 4) + " instead of " + Hex(expected.mxcsr, 4));
  }
  return violations;
}

ExportCallResult CallExport(const void* function, uint32_t eax, uint32_t edx,
                            const FpuState& host_fpu) {
  RegisterCall call{};
  call.function = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(function));
  call.eax = eax;
  call.edx = edx;
  call.ecx = kEcxJunk;
  call.ebx = kEbxSentinel;
  call.esi = kEsiSentinel;
  call.edi = kEdiSentinel;
  call.ebp = kEbpSentinel;
  call.stack_misalign = kStackMisalign;
  qxqy_register_call(&call);
  const FpuState fpu_after = ReadFpuState();

  ExportCallResult result;
  result.value = call.result;
  CheckRegister("EBX", kEbxSentinel, call.ebx_after, result.violations);
  CheckRegister("ESI", kEsiSentinel, call.esi_after, result.violations);
  CheckRegister("EDI", kEdiSentinel, call.edi_after, result.violations);
  CheckRegister("EBP", kEbpSentinel, call.ebp_after, result.violations);
  if (call.esp_moved != 0) {
    result.violations.push_back("ESP moved by " + std::to_string(call.esp_moved) + " bytes");
  }
  if (call.eflags_after & kDirectionFlag) result.violations.push_back("direction flag left set");
  for (auto& violation : FpuViolations(host_fpu, fpu_after)) {
    result.violations.push_back(std::move(violation));
  }
  ResetFpu(host_fpu.control, host_fpu.mxcsr);
  return result;
}

FpuMaskScope::FpuMaskScope() : saved_control_(ReadFpuState().control) {
  const uint16_t masked = saved_control_ | kExceptionBits;
  __asm__ volatile("fldcw %0" : : "m"(masked));
}

FpuMaskScope::~FpuMaskScope() { __asm__ volatile("fnclex\n\tfldcw %0" : : "m"(saved_control_)); }

}  // namespace qxqy::hostsim
