// hostsim: plays the host of the plug-in from a session script and prints a
// transcript of what the plug-in answered and showed. See README.md.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>

#include "tools/hostsim/abi_check.h"
#include "tools/hostsim/crash_report.h"
#include "tools/hostsim/error_box_watcher.h"
#include "tools/hostsim/exit_codes.h"
#include "tools/hostsim/host_window.h"
#include "tools/hostsim/options.h"
#include "tools/hostsim/output.h"
#include "tools/hostsim/session.h"
#include "tools/hostsim/watchdog.h"

namespace qxqy::hostsim {
namespace {

std::string ReadScript(const std::string& path) {
  if (path.empty()) {
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) throw Error("cannot read the script " + path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

int RunSimulator(const std::vector<std::string>& args) {
  Output output;
  Options options;
  std::vector<Command> commands;
  try {
    options = ParseOptions(args);
    commands = ParseScript(ReadScript(options.script_path), Session::Signatures());
    Session::Validate(commands);
  } catch (const UsageError& error) {
    output.Line("hostsim", std::string(error.what()) + "; " + kUsage);
    return kExitBadScript;
  } catch (const ScriptError& error) {
    output.Line("script", error.what());
    return kExitBadScript;
  } catch (const Error& error) {
    output.Line("hostsim", error.what());
    return kExitFailure;
  }

  // The host's floating-point setting, in force before the plug-in loads.
  ResetFpu(kHostFpuControl, ReadFpuState().mxcsr);
  const FpuState host_fpu = ReadFpuState();
  InstallCrashReport(output);
  std::optional<HostWindow> host_window;
  try {
    // Before any other thread starts, as a host's window is open before it
    // loads a plug-in.
    host_window.emplace();
  } catch (const Error& error) {
    output.Line("hostsim", error.what());
    return kExitFailure;
  }
  Watchdog watchdog(output, options.timeout_seconds);
  try {
    Session session(output, watchdog,
                    options.plugin_path.empty() ? DefaultPluginPath() : options.plugin_path,
                    host_fpu);
    session.LoadPlugin();
    ErrorBoxWatcher error_boxes(output);
    session.SetAfterEachAction([&error_boxes] { error_boxes.ReportAfterBoxes(); });
    session.Run(commands);
  } catch (const PluginLoadError& error) {
    output.Line("load", error.what());
    return kExitPluginMissing;
  } catch (const AbiViolation&) {
    return kExitAbiViolation;
  } catch (const Error& error) {
    output.Line("hostsim", error.what());
    return kExitFailure;
  }
  return kExitSessionRan;
}

}  // namespace
}  // namespace qxqy::hostsim

int main(int argc, char** argv) {
  return qxqy::hostsim::RunSimulator(std::vector<std::string>(argv + 1, argv + argc));
}
