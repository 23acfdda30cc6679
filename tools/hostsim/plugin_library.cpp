#include "tools/hostsim/plugin_library.h"

namespace qxqy::hostsim {

std::string_view ExportName(PluginExport which) {
  static constexpr std::string_view kNames[kPluginExportCount] = {
      "_GetInfo", "_Run", "_GetScore", "_AddQSO", "_GrabNumber", "_Release"};
  return kNames[static_cast<size_t>(which)];
}

std::mutex& ModuleLoadMutex() {
  static std::mutex mutex;
  return mutex;
}

PluginLibrary::PluginLibrary(const std::string& path) {
  {
    std::lock_guard<std::mutex> lock(ModuleLoadMutex());
    module_.reset(LoadLibraryA(path.c_str()));
  }
  if (!module_) {
    throw PluginLoadError("cannot load " + path + " (error " + std::to_string(GetLastError()) +
                          ")");
  }
  for (size_t i = 0; i < kPluginExportCount; ++i) {
    const std::string name(ExportName(static_cast<PluginExport>(i)));
    const FARPROC address = GetProcAddress(module_.get(), name.c_str());
    if (!address) throw PluginLoadError(path + " has no export " + name);
    exports_[i] = reinterpret_cast<const void*>(address);
  }
}

PluginLibrary::~PluginLibrary() {
  std::lock_guard<std::mutex> lock(ModuleLoadMutex());
  module_.reset();
}

std::string DefaultPluginPath() {
  char path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, length);
  folder.erase(folder.find_last_of("\\/") + 1);
  return folder + "Plugins\\QXQYDXContest.dll";
}

}  // namespace qxqy::hostsim
