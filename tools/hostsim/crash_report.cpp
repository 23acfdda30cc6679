#include "tools/hostsim/crash_report.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <mutex>

#include "tools/hostsim/exit_codes.h"

namespace qxqy::hostsim {

namespace {

Output* g_output = nullptr;
char g_action[256] = "start-up";
std::mutex g_action_mutex;

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* exception) {
  char text[400];
  std::snprintf(text, sizeof text, "exception 0x%08lX during %s",
                static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode), g_action);
  if (g_output) g_output->Line("crash", text);
  TerminateProcess(GetCurrentProcess(), kExitCrash);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void InstallCrashReport(Output& output) {
  g_output = &output;
  SetUnhandledExceptionFilter(ReportCrash);
}

void SetCurrentAction(const std::string& action) {
  std::lock_guard<std::mutex> lock(g_action_mutex);
  std::strncpy(g_action, action.c_str(), sizeof g_action - 1);
  g_action[sizeof g_action - 1] = '\0';
}

std::string CurrentAction() {
  std::lock_guard<std::mutex> lock(g_action_mutex);
  return g_action;
}

}  // namespace qxqy::hostsim
