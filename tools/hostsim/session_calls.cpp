// The host's calls into the plug-in: the six exports, loading and unloading.
#include <cstdlib>

#include "tools/hostsim/crash_report.h"
#include "tools/hostsim/session.h"
#include "tools/hostsim/text_format.h"

namespace qxqy::hostsim {

namespace {

// What goes into a register the callee must not read.
constexpr uint32_t kUnusedArgument = 0xD5D5D5D5;

template <typename Buffer>
uint32_t AddressOf(Buffer& buffer) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(buffer.data()));
}

}  // namespace

void Session::LoadPlugin() {
  SetCurrentAction("loading the plug-in");
  plugin_ = std::make_unique<PluginLibrary>(plugin_path_);
  CheckHostFpu("loading the plug-in");
}

void Session::Load(const Command& command) {
  if (plugin_) {
    Print(command, "already loaded");
    return;
  }
  LoadPlugin();
}

void Session::Unload(const Command& command) {
  if (!plugin_) {
    Print(command, "not loaded");
    return;
  }
  plugin_.reset();
}

std::optional<uint32_t> Session::CallPlugin(const Command& command, PluginExport which,
                                            uint32_t eax, uint32_t edx) {
  if (!plugin_) {
    Print(command, "plug-in not loaded");
    return std::nullopt;
  }
  const HostRecordBuffer before = record_;
  const ExportCallResult result = CallExport(plugin_->Address(which), eax, edx, host_fpu_);
  if (!result.violations.empty()) {
    for (const auto& violation : result.violations) {
      output_.Line("abi", std::string(ExportName(which)) + ": " + violation);
    }
    throw AbiViolation(std::string(ExportName(which)) + " broke the calling convention");
  }
  const auto written =
      ChangedRanges(before.data(), record_.data(), kHostRecordSize, [](size_t) { return false; });
  if (!written.empty()) {
    Print(command,
          "the plug-in wrote into the host's record at bytes " + FormatByteRanges(written));
  }
  return result.value;
}

void Session::GetInfo(const Command& command) {
  const auto before = info_;
  if (!CallPlugin(command, PluginExport::kGetInfo, AddressOf(info_), kUnusedArgument)) return;
  const PluginInfoContent content = ReadPluginInfo(info_.data());
  Print(command, "title " + QuoteText(content.title));
  Print(command, "kind " + QuoteText(content.kind));
  Print(command, "values " + std::to_string(content.value1) + " " + std::to_string(content.value2));
  const auto stray = ChangedRanges(before.data(), info_.data(), info_.size(), [&](size_t position) {
    return MayGetInfoWrite(content, position);
  });
  if (!stray.empty())
    Print(command, "bytes written outside the fields: " + FormatByteRanges(stray));
}

void Session::RunPlugin(const Command& command) {
  const uint32_t first = command.args.empty()
                             ? kUnusedArgument
                             : uint32_t(std::strtoull(command.args[0].c_str(), nullptr, 0));
  const auto handle = CallPlugin(command, PluginExport::kRun, first, AddressOf(record_));
  if (!handle) return;
  const HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(*handle));
  std::string text = !window                  ? "handle 0"
                     : window == main_window_ ? "handle same as before"
                                              : "handle new";
  if (window && !IsWindow(window)) text += ", not a window";
  Print(command, text);
  if (window) main_window_ = window;
}

void Session::GetScore(const Command& command) {
  if (const auto score =
          CallPlugin(command, PluginExport::kGetScore, AddressOf(record_), kUnusedArgument)) {
    Print(command, std::to_string(static_cast<int32_t>(*score)));
  }
}

void Session::AddQso(const Command& command) {
  if (const auto points =
          CallPlugin(command, PluginExport::kAddQso, AddressOf(record_), kUnusedArgument)) {
    Print(command, std::to_string(static_cast<int32_t>(*points)));
  }
}

void Session::GrabNumber(const Command& command) {
  // Fresh junk each time: the plug-in must write only the length byte and
  // the characters it counts.
  for (size_t i = 0; i < grab_result_.size(); ++i) grab_result_[i] = JunkByte(i + 1);
  const auto before = grab_result_;
  if (!CallPlugin(command, PluginExport::kGrabNumber, AddressOf(record_),
                  AddressOf(grab_result_))) {
    return;
  }
  const size_t length = grab_result_[0];
  Print(command, QuoteText(std::string(reinterpret_cast<const char*>(&grab_result_[1]), length)));
  const auto stray = ChangedRanges(before.data(), grab_result_.data(), grab_result_.size(),
                                   [length](size_t position) { return position <= length; });
  if (!stray.empty()) Print(command, "bytes beyond the text changed: " + FormatByteRanges(stray));
}

void Session::Release(const Command& command) {
  if (CallPlugin(command, PluginExport::kRelease, kUnusedArgument, kUnusedArgument)) {
    Print(command, "returned");
  }
}

}  // namespace qxqy::hostsim
