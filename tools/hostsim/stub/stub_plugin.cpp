// The stub's exports and the state behind them.
#include "tools/hostsim/stub/stub_plugin.h"

#include <cstring>
#include <map>

namespace qxqy::stub {

namespace {

constexpr size_t kRecordSize = 5916;
constexpr size_t kCallOffset = 268;

unsigned char g_record[kRecordSize];
std::map<std::string, int> g_added;

void WriteShortText(unsigned char* slot, const std::string& text) {
  const size_t length = text.size() > 255 ? 255 : text.size();
  slot[0] = static_cast<unsigned char>(length);
  std::memcpy(slot + 1, text.data(), length);
}

}  // namespace

std::string RecordText(const unsigned char* record, size_t offset) {
  return std::string(reinterpret_cast<const char*>(record + offset + 1), record[offset]);
}

}  // namespace qxqy::stub

using qxqy::stub::g_added;
using qxqy::stub::g_record;

// Which convention fault the next _AddQSO commits: 1 EBX, 2 ESP, 3 FPU.
extern "C" {
int g_abi_fault = 0;
}

#define STUB_EXPORT extern "C" __attribute__((regparm(3)))

STUB_EXPORT void StubGetInfo(unsigned char* info) {
  *reinterpret_cast<int32_t*>(info + 256) = 1;
  qxqy::stub::WriteShortText(info, "Hostsim Stub");
  qxqy::stub::WriteShortText(info + 260, "stub");
  *reinterpret_cast<int32_t*>(info + 516) = 2;
}

STUB_EXPORT HWND StubRun(uint32_t, const unsigned char* record) {
  if (!qxqy::stub::MainWindow()) {
    std::memcpy(g_record, record, sizeof g_record);
    g_added.clear();
    qxqy::stub::CreateMainWindow(g_record);
  }
  ShowWindow(qxqy::stub::MainWindow(), SW_SHOW);
  return qxqy::stub::MainWindow();
}

STUB_EXPORT int StubGetScore(const unsigned char* record) {
  std::memcpy(g_record, record, sizeof g_record);
  const std::string call = qxqy::stub::RecordText(g_record, qxqy::stub::kCallOffset);
  if (call == "HANG") {
    for (;;) Sleep(100);
  }
  if (call == "ABI-EBX") g_abi_fault = 1;
  if (call == "ABI-ESP") g_abi_fault = 2;
  if (call == "ABI-FPU") g_abi_fault = 3;
  if (!qxqy::stub::MainWindow() || call.empty()) return 0;
  return g_added.count(call) ? -1 : 1;
}

STUB_EXPORT __attribute__((used)) int StubAddQso(const unsigned char* record) {
  std::memcpy(g_record, record, sizeof g_record);
  if (g_abi_fault == 3) {
    g_abi_fault = 0;
    const uint16_t masked = 0x037F;
    __asm__ volatile("fldcw %0" : : "m"(masked));
  }
  if (!qxqy::stub::MainWindow()) return 0;
  ++g_added[qxqy::stub::RecordText(g_record, qxqy::stub::kCallOffset)];
  int total = 0;
  for (const auto& entry : g_added) total += entry.second;
  qxqy::stub::ShowQsoCount(total);
  return 1;
}

// _AddQSO's entry: breaks the convention on request, then runs StubAddQso.
// Fault 1 returns with EBX clobbered, fault 2 removes 4 bytes of the caller's
// stack on return.
__asm__(
    "  .text\n"
    "  .globl _StubAddQsoEntry\n"
    "_StubAddQsoEntry:\n"
    "  movl _g_abi_fault, %ecx\n"
    "  cmpl $1, %ecx\n"
    "  jne 1f\n"
    "  movl $0, _g_abi_fault\n"
    "  movl $0x0BADF00D, %ebx\n"
    "  jmp _StubAddQso\n"
    "1:\n"
    "  cmpl $2, %ecx\n"
    "  jne 2f\n"
    "  movl $0, _g_abi_fault\n"
    "  call _StubAddQso\n"
    "  ret $4\n"
    "2:\n"
    "  jmp _StubAddQso\n");

STUB_EXPORT void StubGrabNumber(const unsigned char* record, unsigned char* result) {
  std::memcpy(g_record, record, sizeof g_record);
  const std::string call = qxqy::stub::RecordText(g_record, qxqy::stub::kCallOffset);
  if (!qxqy::stub::MainWindow()) {
    result[0] = 0;
    return;
  }
  if (call == "OVERRUN") {
    std::memset(result, 'X', 256);
    result[0] = 3;
    return;
  }
  qxqy::stub::WriteShortText(result, "D-" + call);
}

STUB_EXPORT void StubRelease() {
  if (qxqy::stub::MainWindow()) qxqy::stub::PostRelease();
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_DETACH) qxqy::stub::DestroyWindows();
  return TRUE;
}
