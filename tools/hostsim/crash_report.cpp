#include "tools/hostsim/crash_report.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "tools/hostsim/exit_codes.h"

namespace qxqy::hostsim {

namespace {

Output* g_output = nullptr;
char g_context[256] = "start-up";

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* exception) {
  char text[400];
  std::snprintf(text, sizeof text, "exception 0x%08lX during %s",
                static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode), g_context);
  if (g_output) g_output->Line("crash", text);
  TerminateProcess(GetCurrentProcess(), kExitCrash);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void InstallCrashReport(Output& output) {
  g_output = &output;
  SetUnhandledExceptionFilter(ReportCrash);
}

void SetCrashContext(const std::string& action) {
  std::strncpy(g_context, action.c_str(), sizeof g_context - 1);
  g_context[sizeof g_context - 1] = '\0';
}

}  // namespace qxqy::hostsim
