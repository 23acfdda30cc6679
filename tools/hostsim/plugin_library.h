// The plug-in DLL as the host loads it: LoadLibraryA, then GetProcAddress by
// the six export names. The module is freed (the plug-in's unload runs) when
// the object goes.
#pragma once

#include <windows.h>

#include <array>
#include <mutex>
#include <string>
#include <string_view>

#include "base/error.h"
#include "tools/hostsim/unique_handle.h"

namespace qxqy::hostsim {

// The DLL cannot be loaded or lacks an export.
class PluginLoadError : public Error {
 public:
  using Error::Error;
};

enum class PluginExport { kGetInfo, kRun, kGetScore, kAddQso, kGrabNumber, kRelease };
constexpr size_t kPluginExportCount = 6;

// "_GetInfo", "_Run", ...
std::string_view ExportName(PluginExport which);

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle module) noexcept { FreeLibrary(module); }
};

class PluginLibrary {
 public:
  // Throws PluginLoadError naming the path, or the missing export.
  explicit PluginLibrary(const std::string& path);
  // Frees the library (its unload code runs).
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  const void* Address(PluginExport which) const { return exports_[static_cast<size_t>(which)]; }

 private:
  UniqueHandle<ModuleTraits> module_;
  std::array<const void*, kPluginExportCount> exports_{};
};

// Held while a library is loaded or freed. Under Wine a thread that makes
// window calls (EnumWindows, ...) while another thread is inside LoadLibrary
// or FreeLibrary can deadlock the two, so threads of the simulator other than
// the session thread hold this lock while they make such calls.
std::mutex& ModuleLoadMutex();

// `Plugins\QXQYDXContest.dll` in the folder of the running executable.
std::string DefaultPluginPath();

}  // namespace qxqy::hostsim
