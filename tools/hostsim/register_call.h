// Calls a plug-in export the way the host does: first argument in EAX, second
// in EDX, third in ECX, nothing on the stack, the callee removes nothing, the
// result in EAX. The thunk loads EBX, ESI, EDI and EBP with known values, calls
// with ESP only 4-byte aligned (16-byte alignment minus `stack_misalign`), and
// records what came back, so the caller can tell whether the callee kept
// the convention. The thunk itself survives a callee that moves ESP or
// clobbers any register: it returns on its own saved stack.
//
// One call at a time, on one thread (the thunk keeps its frame in statics).
#pragma once

#include <cstddef>
#include <cstdint>

namespace qxqy::hostsim {

struct RegisterCall {
  // In.
  uint32_t function;  // address to call
  uint32_t eax;
  uint32_t edx;
  uint32_t ecx;
  uint32_t ebx;  // callee-saved registers, loaded before the call
  uint32_t esi;
  uint32_t edi;
  uint32_t ebp;
  uint32_t stack_misalign;  // subtracted from a 16-aligned ESP: 0, 4, 8 or 12
  // Out.
  uint32_t result;  // EAX after the call
  uint32_t ebx_after;
  uint32_t esi_after;
  uint32_t edi_after;
  uint32_t ebp_after;
  int32_t esp_moved;  // ESP after the call minus ESP before it (0 when kept)
  uint32_t eflags_after;
};

// Offsets the assembly relies on.
static_assert(offsetof(RegisterCall, function) == 0);
static_assert(offsetof(RegisterCall, ebx) == 16);
static_assert(offsetof(RegisterCall, stack_misalign) == 32);
static_assert(offsetof(RegisterCall, result) == 36);
static_assert(offsetof(RegisterCall, esp_moved) == 56);
static_assert(offsetof(RegisterCall, eflags_after) == 60);

extern "C" void qxqy_register_call(RegisterCall* call);

}  // namespace qxqy::hostsim
