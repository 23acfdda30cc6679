// The plug-in's module-wide state: the copy of the host's last record, the
// two window references and the application handle saved by Run. One
// instance per loaded module, all zero or empty until an entry point runs;
// loading the module does nothing else.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "MainForm/main_form_context.h"
#include "records/host_record.h"
#include "ui/component_ref.h"

namespace qxqy {
class TfmMainForm;
class TfmDomList;
}  // namespace qxqy

namespace qxqy::plugin {

struct ModuleState {
  HostRecord CurrentRecord{};
  ComponentRef<TfmMainForm> main_form;
  ComponentRef<TfmDomList> dom_list;
  uint32_t saved_application_handle = 0;
  // Where the reference files are looked for instead of the Plugins folder
  // beside the host's executable (the native scorer's --plugins option).
  std::optional<std::string> plugins_folder_override;

  // What a new main window borrows from the module.
  MainFormContext MainWindowContext();
};

// The module's one instance, created on first use.
ModuleState& Module();

// Makes later main windows read the reference files from `folder` (with a
// trailing separator) instead of the Plugins folder beside the host.
void OverridePluginsFolder(std::string folder);

}  // namespace qxqy::plugin
