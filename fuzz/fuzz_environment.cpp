#include "fuzz/fuzz_environment.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "MainForm/main_form.h"
#include "Plugin/entry_points.h"
#include "Plugin/module_state.h"
#include "refdata/reference_files.h"
#include "ui/application.h"
#include "ui/error_box.h"

namespace qxqy::fuzzing {

namespace {

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

std::string MakeTemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qxqy-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

}  // namespace

FuzzEnvironment& FuzzEnvironment::Instance() {
  static FuzzEnvironment environment;
  return environment;
}

FuzzEnvironment::FuzzEnvironment()
    : root_(MakeTemporaryFolder()), plugins_folder_(root_ + "/"), store_override_(&store_) {
  WriteFile(plugins_folder_ + kDistrictTableFileName, kFuzzDistrictTable);
  WriteFile(plugins_folder_ + kCallDistrictsFileName, kFuzzCallDistricts);
  plugin::OverridePluginsFolder(plugins_folder_);
  SetErrorBoxQuiet(true);
}

// The application object may already be gone at exit; every input ended
// with EndInput, which left it empty.
FuzzEnvironment::~FuzzEnvironment() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void FuzzEnvironment::EndInput() {
  plugin::ReleasePlugin();
  Application& application = Application::Instance();
  application.ProcessMessages();
  application.Shutdown();
  application.ProcessMessages();
  plugin::ModuleState& module = plugin::Module();
  module.main_form.reset();
  module.dom_list.reset();
  module.CurrentRecord = HostRecord{};
  ClearErrorBoxLog();
  store_.Clear();
}

}  // namespace qxqy::fuzzing
