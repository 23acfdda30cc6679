#include "tools/hostsim/session.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "tools/hostsim/crash_report.h"
#include "tools/hostsim/text_format.h"

namespace qxqy::hostsim {

struct Session::Verb {
  VerbSignature signature;
  void (*validate)(const Command&);
  void (Session::*run)(const Command&);
};

namespace {

const char* const kTargets[] = {"main", "multipliers"};
const char* const kShowWhats[] = {"caption", "score",         "grid",      "buttons", "window",
                                  "windows", "list",          "objects",   "memory",  "owner",
                                  "fonts",   "button-layout", "grid-cells"};
const char* const kSysCommands[] = {"close", "minimize", "maximize", "restore"};
const char* const kKeys[] = {"alt+f4"};
const char* const kRegistryActions[] = {"show", "set", "set-dword", "delete"};
const char* const kJunkKinds[] = {"reserved", "tails", "all"};
const char* const kHostActions[] = {"enable", "disable"};

long long ParseNumber(const Command& command, size_t index, long long min, long long max) {
  const std::string& text = command.args.at(index);
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 0);
  if (text.empty() || *end != '\0' || value < min || value > max) {
    throw ScriptError(command.line, command.verb + ": \"" + EscapeText(text) +
                                        "\" is not a number from " + std::to_string(min) + " to " +
                                        std::to_string(max));
  }
  return value;
}

template <size_t N>
void RequireOneOf(const Command& command, size_t index, const char* const (&choices)[N]) {
  if (index >= command.args.size()) return;
  const std::string& word = command.args[index];
  if (std::find(std::begin(choices), std::end(choices), word) != std::end(choices)) return;
  std::string list;
  for (const char* choice : choices) list += (list.empty() ? "" : ", ") + std::string(choice);
  throw ScriptError(command.line,
                    command.verb + ": \"" + EscapeText(word) + "\" is not one of " + list);
}

const RecordField& RequireField(const Command& command, bool text_only) {
  const RecordField* field = FindHostRecordField(command.args.at(0));
  if (!field) {
    throw ScriptError(command.line, "no record field \"" + EscapeText(command.args[0]) + "\"");
  }
  if (text_only && field->kind != FieldKind::kText) {
    throw ScriptError(command.line, std::string(field->name) + " is not a text field");
  }
  return *field;
}

void RequireTextLength(const Command& command, size_t length) {
  if (length > kShortTextMax) {
    throw ScriptError(command.line,
                      "a text has at most 255 characters, not " + std::to_string(length));
  }
}

void NoCheck(const Command&) {}

void CheckTimeout(const Command& command) { ParseNumber(command, 0, 1, 3600); }

void CheckSet(const Command& command) {
  RequireField(command, true);
  RequireTextLength(command, command.args.size() > 1 ? command.args[1].size() : 0);
}

void CheckSetRepeat(const Command& command) {
  RequireField(command, true);
  const auto count = ParseNumber(command, 1, 0, kShortTextMax);
  RequireTextLength(command, size_t(count) * command.args[2].size());
}

void CheckSetHex(const Command& command) {
  const RecordField& field = RequireField(command, false);
  try {
    const auto bytes = ParseHexBytes(command.args[1]);
    if (bytes.size() > field.size) {
      throw ScriptError(command.line, std::string(field.name) + " holds " +
                                          std::to_string(field.size) + " bytes");
    }
  } catch (const ScriptError&) {
    throw;
  } catch (const Error& error) {
    throw ScriptError(command.line, error.what());
  }
}

void CheckJunk(const Command& command) { RequireOneOf(command, 0, kJunkKinds); }
void CheckRun(const Command& command) {
  if (!command.args.empty()) ParseNumber(command, 0, 0, 0xFFFFFFFFLL);
}
void CheckSleep(const Command& command) { ParseNumber(command, 0, 0, 600000); }
void CheckScreenshotReady(const Command& command) {
  if (!command.args.empty()) ParseNumber(command, 0, 0, 600000);
}
void CheckTarget(const Command& command) { RequireOneOf(command, 0, kTargets); }
void CheckSysCommand(const Command& command) {
  // A name, or the command's number (with the low bits the system uses).
  if (!std::isdigit(static_cast<unsigned char>(command.args[0][0]))) {
    RequireOneOf(command, 0, kSysCommands);
  } else {
    ParseNumber(command, 0, 0, 0xFFFF);
  }
  RequireOneOf(command, 1, kTargets);
}
void CheckKey(const Command& command) {
  RequireOneOf(command, 0, kKeys);
  RequireOneOf(command, 1, kTargets);
}
void CheckMove(const Command& command) {
  RequireOneOf(command, 0, kTargets);
  if (command.args.size() == 4) {
    throw ScriptError(command.line, "move takes a place, or a place and a size");
  }
  for (size_t i = 1; i < command.args.size(); ++i) ParseNumber(command, i, -100000, 100000);
}
void CheckRegistry(const Command& command) {
  RequireOneOf(command, 0, kRegistryActions);
  const std::string& what = command.args[0];
  const size_t count = command.args.size();
  if ((what == "set" || what == "set-dword") && count < 4) {
    throw ScriptError(command.line, "reg " + what + " needs a section, a name and a value");
  }
  if ((what == "show" || what == "delete") && count > 3) {
    throw ScriptError(command.line, "reg " + what + " takes a section and at most a name");
  }
  if (what == "set-dword") ParseNumber(command, 3, 0, 0xFFFFFFFFLL);
}
void CheckHost(const Command& command) { RequireOneOf(command, 0, kHostActions); }
void CheckShow(const Command& command) {
  RequireOneOf(command, 0, kShowWhats);
  RequireOneOf(command, 1, kTargets);
}

}  // namespace

const std::vector<Session::Verb>& Session::Verbs() {
  static const std::vector<Verb> verbs = {
      {{"timeout", 1, 1}, CheckTimeout, &Session::Timeout},
      {{"echo", 0, 1, true}, NoCheck, &Session::Echo},
      {{"db", 1, 1, true}, NoCheck, &Session::Database},
      {{"db-row-by-row", 1, 1, true}, NoCheck, &Session::Database},
      {{"sql", 1, 1, true}, NoCheck, &Session::Sql},
      {{"set", 1, 2, true}, CheckSet, &Session::Set},
      {{"set-repeat", 3, 3, true}, CheckSetRepeat, &Session::SetRepeat},
      {{"set-hex", 2, 2, true}, CheckSetHex, &Session::SetHex},
      {{"junk", 1, 1}, CheckJunk, &Session::Junk},
      {{"load", 0, 0}, NoCheck, &Session::Load},
      {{"unload", 0, 0}, NoCheck, &Session::Unload},
      {{"get-info", 0, 0}, NoCheck, &Session::GetInfo},
      {{"run", 0, 1}, CheckRun, &Session::RunPlugin},
      {{"get-score", 0, 0}, NoCheck, &Session::GetScore},
      {{"add-qso", 0, 0}, NoCheck, &Session::AddQso},
      {{"grab-number", 0, 0}, NoCheck, &Session::GrabNumber},
      {{"release", 0, 0}, NoCheck, &Session::Release},
      {{"pump", 0, 0}, NoCheck, &Session::Pump},
      {{"sleep", 1, 1}, CheckSleep, &Session::Sleep},
      {{"click", 1, 1, true}, NoCheck, &Session::Click},
      {{"syscommand", 1, 2}, CheckSysCommand, &Session::SysCommand},
      {{"close", 0, 1}, CheckTarget, &Session::Close},
      {{"key", 1, 2}, CheckKey, &Session::Key},
      {{"click-close-box", 0, 1}, CheckTarget, &Session::ClickCloseBox},
      {{"hover", 1, 1, true}, NoCheck, &Session::Hover},
      {{"move", 3, 5}, CheckMove, &Session::Move},
      {{"reg", 2, 4, true}, CheckRegistry, &Session::Registry},
      {{"host", 1, 1}, CheckHost, &Session::HostAction},
      {{"show", 1, 2}, CheckShow, &Session::Show},
      {{"screenshot", 1, 1, true}, NoCheck, &Session::Screenshot},
      {{"screenshot-ready", 0, 1}, CheckScreenshotReady, &Session::ScreenshotReady},
  };
  return verbs;
}

std::vector<VerbSignature> Session::Signatures() {
  std::vector<VerbSignature> signatures;
  for (const auto& verb : Verbs()) signatures.push_back(verb.signature);
  return signatures;
}

void Session::Validate(const std::vector<Command>& commands) {
  for (const auto& command : commands) {
    for (const auto& verb : Verbs()) {
      if (verb.signature.verb == command.verb) verb.validate(command);
    }
  }
}

Session::Session(Output& output, Watchdog& watchdog, std::string plugin_path,
                 const FpuState& host_fpu)
    : output_(output),
      watchdog_(watchdog),
      plugin_path_(std::move(plugin_path)),
      host_fpu_(host_fpu) {
  // The host's PluginInfo holds older text: bytes _GetInfo must leave alone.
  for (size_t i = 0; i < info_.size(); ++i) info_[i] = JunkByte(i);
}

Session::~Session() {
  // Unload before the connection goes: a plug-in still holding the
  // connection releases it while it is unloaded.
  plugin_.reset();
}

void Session::Run(const std::vector<Command>& commands) {
  for (const auto& command : commands) {
    const std::string action = "line " + std::to_string(command.line) + ": " + command.verb;
    SetCurrentAction(action);
    for (const auto& verb : Verbs()) {
      if (verb.signature.verb == command.verb) (this->*verb.run)(command);
    }
    if (after_each_action_) after_each_action_();
    CheckHostFpu(action);
  }
  SetCurrentAction("the end of the session");
}

std::string Session::Prefix(const Command& command) {
  if (command.verb == "show" || command.verb == "reg")
    return command.verb + " " + command.args.at(0);
  return command.verb;
}

void Session::Print(const Command& command, const std::string& text) {
  output_.Line(Prefix(command), text);
}

void Session::CheckHostFpu(const std::string& when) {
  const auto violations = FpuViolations(host_fpu_, ReadFpuState());
  if (violations.empty()) return;
  for (const auto& violation : violations) output_.Line("abi", violation + " after " + when);
  ResetFpu(host_fpu_.control, host_fpu_.mxcsr);
  throw AbiViolation("the FPU state was changed during " + when);
}

}  // namespace qxqy::hostsim
