// The DLL's six exports. The host calls them with the register convention
// (first argument in EAX, second in EDX, the callee removes nothing from the
// stack; _GrabNumber's 256-byte result buffer is the hidden argument after
// the declared one). Each export masks x87 exceptions for its own work and
// runs inside a barrier: no C++ exception ever unwinds into the host. An error
// that escapes is shown in the standard error box and the export returns its
// neutral value (0, or the empty short text); _Release stays silent.
#include <cstdint>

#include "Plugin/entry_points.h"
#include "Plugin/export_barrier.h"
#include "base/fpu_guard.h"

#define QXQY_REGISTER_CALL extern "C" __attribute__((regparm(3)))

using qxqy::HostRecord;
using qxqy::PluginInfo;
using qxqy::ShortText;

QXQY_REGISTER_CALL void GrabNumberExport(const HostRecord* record, ShortText* result) {
  qxqy::FpuGuard fpu;
  qxqy::plugin::RunBarrier([&] { qxqy::plugin::GrabNumber(record, result); },
                           [&] { result->bytes[0] = 0; });
}

QXQY_REGISTER_CALL void ReleaseExport() {
  qxqy::FpuGuard fpu;
  qxqy::plugin::ReleasePlugin();
}

QXQY_REGISTER_CALL int32_t GetScoreExport(const HostRecord* record) {
  qxqy::FpuGuard fpu;
  int32_t score = 0;
  qxqy::plugin::RunBarrier([&] { score = qxqy::plugin::GetScore(record); }, [&] { score = 0; });
  return score;
}

QXQY_REGISTER_CALL int32_t AddQsoExport(const HostRecord* record) {
  qxqy::FpuGuard fpu;
  int32_t score = 0;
  qxqy::plugin::RunBarrier([&] { score = qxqy::plugin::AddQSO(record); }, [&] { score = 0; });
  return score;
}

QXQY_REGISTER_CALL uint32_t RunExport(uint32_t unused, const HostRecord* record) {
  qxqy::FpuGuard fpu;
  uint32_t handle = 0;
  qxqy::plugin::RunBarrier([&] { handle = qxqy::plugin::Run(unused, record); },
                           [&] { handle = 0; });
  return handle;
}

QXQY_REGISTER_CALL void GetInfoExport(PluginInfo* info) {
  qxqy::FpuGuard fpu;
  qxqy::plugin::RunBarrier([&] { qxqy::plugin::GetInfo(info); }, [] {});
}
