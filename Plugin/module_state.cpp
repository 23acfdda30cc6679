#include "Plugin/module_state.h"

#include "refdata/reference_files.h"

namespace qxqy::plugin {

ModuleState& Module() {
  static ModuleState state;
  return state;
}

MainFormContext ModuleState::MainWindowContext() {
  MainFormContext context;
  context.current_record = &CurrentRecord;
  context.main_form = &main_form;
  context.dom_list = &dom_list;
  context.plugins_folder =
      plugins_folder_override ? *plugins_folder_override : DefaultPluginsFolder();
  return context;
}

void OverridePluginsFolder(std::string folder) {
  Module().plugins_folder_override = std::move(folder);
}

}  // namespace qxqy::plugin
