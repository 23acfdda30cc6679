// Runs a parsed session script against the plug-in: the host's side of every
// action, and the transcript lines it prints. The action reference is in
// README.md beside this file.
//
// Each action prints its results as lines "<action>: <result>"; setting-up
// actions that succeed print nothing. After every action the host's FPU
// state is checked, and after every export call also the registers and ESP
// (abi_check.h): a violation prints "abi: ..." lines and ends the session
// with AbiViolation. Everything runs on the thread that made the Session.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "tools/hostsim/abi_check.h"
#include "tools/hostsim/ado_connection.h"
#include "tools/hostsim/com_ref.h"
#include "tools/hostsim/host_record.h"
#include "tools/hostsim/output.h"
#include "tools/hostsim/plugin_library.h"
#include "tools/hostsim/script.h"
#include "tools/hostsim/watchdog.h"
#include "tools/hostsim/window_probe.h"

namespace qxqy::hostsim {

// The plug-in broke the calling convention; the session cannot go on.
class AbiViolation : public Error {
 public:
  using Error::Error;
};

class Session {
 public:
  // `output` and `watchdog` must outlive the session. `host_fpu` is the FPU
  // state the host runs with (set up before the plug-in is loaded).
  Session(Output& output, Watchdog& watchdog, std::string plugin_path, const FpuState& host_fpu);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // The verbs a script may use (for ParseScript).
  static std::vector<VerbSignature> Signatures();
  // Checks the arguments of every command before anything runs.
  // Throws ScriptError at the first bad one.
  static void Validate(const std::vector<Command>& commands);

  // Loads the plug-in; throws PluginLoadError.
  void LoadPlugin();
  // Runs the commands in order. Throws AbiViolation or PluginLoadError.
  void Run(const std::vector<Command>& commands);
  // Called after each action has run (the error-box watcher's report).
  void SetAfterEachAction(std::function<void()> after) { after_each_action_ = std::move(after); }

 private:
  struct Verb;
  static const std::vector<Verb>& Verbs();

  // Setting up (session_setup.cpp).
  void Timeout(const Command& command);
  void Echo(const Command& command);
  void Database(const Command& command);
  void Sql(const Command& command);
  void Set(const Command& command);
  void SetRepeat(const Command& command);
  void SetHex(const Command& command);
  void Junk(const Command& command);

  // Calls into the plug-in (session_calls.cpp).
  void Load(const Command& command);
  void Unload(const Command& command);
  void GetInfo(const Command& command);
  void RunPlugin(const Command& command);
  void GetScore(const Command& command);
  void AddQso(const Command& command);
  void GrabNumber(const Command& command);
  void Release(const Command& command);
  // Calls `which` through the register thunk and checks the convention and
  // the host's record; nullopt (after printing why) when no plug-in is loaded.
  std::optional<uint32_t> CallPlugin(const Command& command, PluginExport which, uint32_t eax,
                                     uint32_t edx);

  // Driving the windows (session_windows.cpp).
  void Pump(const Command& command);
  void Sleep(const Command& command);
  void Click(const Command& command);
  void SysCommand(const Command& command);
  void Close(const Command& command);
  void Key(const Command& command);
  void ClickCloseBox(const Command& command);
  void Hover(const Command& command);
  void Move(const Command& command);
  void Screenshot(const Command& command);
  void ScreenshotReady(const Command& command);
  // The window a "main" or "multipliers" argument names; null after printing
  // why there is none.
  HWND TargetWindow(const Command& command, const std::string& target);
  // The "Button" captioned `caption` ('&' marks ignored) in the main window,
  // else in the multiplier window; nullopt after printing why there is none.
  std::optional<ButtonLook> FindAnyButton(const Command& command, const std::string& caption);

  // The host's own main window (session_host.cpp).
  void HostAction(const Command& command);

  // Looking at the windows (session_show.cpp).
  void Show(const Command& command);
  void ShowCaption(const Command& command, HWND window);
  void ShowScore(const Command& command, HWND window);
  void ShowGrid(const Command& command, HWND window);
  void ShowButtons(const Command& command, HWND window);
  void ShowWindow(const Command& command, HWND window);
  void ShowOwner(const Command& command, HWND window);
  void ShowWindows(const Command& command);
  void ShowList(const Command& command, HWND window);
  void ShowObjects(const Command& command);
  void ShowButtonLayout(const Command& command, HWND window);
  void ShowGridCells(const Command& command, HWND window);
  void ShowFonts(const Command& command, HWND window);
  void ShowMemory(const Command& command);

  // The plug-in's settings in the registry (session_registry.cpp).
  void Registry(const Command& command);

  // "verb" or "show what": the prefix of the command's transcript lines.
  static std::string Prefix(const Command& command);
  void Print(const Command& command, const std::string& text);
  // Stops the session with "abi: ..." lines when the FPU is not as the host left it.
  void CheckHostFpu(const std::string& when);

  Output& output_;
  Watchdog& watchdog_;
  std::string plugin_path_;
  FpuState host_fpu_;
  std::unique_ptr<PluginLibrary> plugin_;
  HostRecordBuffer record_;
  std::array<unsigned char, kPluginInfoSize> info_{};
  std::array<unsigned char, kShortTextSlot> grab_result_{};
  ComRef<AdoConnection> connection_;
  HWND main_window_ = nullptr;  // what the last _Run returned
  std::function<void()> after_each_action_;
};

}  // namespace qxqy::hostsim
