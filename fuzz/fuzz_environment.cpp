#include "fuzz/fuzz_environment.h"

#include "MainForm/main_form.h"
#include "Plugin/entry_points.h"
#include "Plugin/module_state.h"
#include "refdata/reference_files.h"
#include "tests/support/temp_dir.h"
#include "ui/application.h"
#include "ui/error_box.h"

namespace qxqy::fuzzing {

FuzzEnvironment& FuzzEnvironment::Instance() {
  static FuzzEnvironment environment;
  return environment;
}

FuzzEnvironment::FuzzEnvironment()
    : root_(std::make_unique<testing::TempDir>()),
      plugins_folder_(root_->path().string() + "/"),
      store_override_(&store_) {
  root_->Write(kDistrictTableFileName, kFuzzDistrictTable);
  root_->Write(kCallDistrictsFileName, kFuzzCallDistricts);
  plugin::OverridePluginsFolder(plugins_folder_);
  SetErrorBoxQuiet(true);
}

// The application object may already be gone at exit; every input ended
// with a Reset, which left it empty.
FuzzEnvironment::~FuzzEnvironment() = default;

void FuzzEnvironment::Reset() {
  plugin::ReleasePlugin();
  Application& application = Application::Instance();
  application.ProcessMessages();
  application.Shutdown();
  application.ProcessMessages();
  application.SetHandle(0);
  plugin::ModuleState& module = plugin::Module();
  module.main_form.reset();
  module.dom_list.reset();
  module.CurrentRecord = HostRecord{};
  module.saved_application_handle = 0;
  ClearErrorBoxLog();
  store_.Clear();
}

}  // namespace qxqy::fuzzing
