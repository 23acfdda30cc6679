// The module-wide state the main window works with: the module's copy of
// the host's record and the two window references. The plug-in module owns
// it; the main window only borrows it, so it must outlive every main window.
#pragma once

#include <string>

#include "records/host_record.h"
#include "ui/component_ref.h"

namespace qxqy {

class TfmMainForm;
class TfmDomList;

struct MainFormContext {
  // The last record received from the host (CurrentRecord).
  HostRecord* current_record = nullptr;
  // Emptied whenever the respective window goes, however it goes.
  ComponentRef<TfmMainForm>* main_form = nullptr;
  ComponentRef<TfmDomList>* dom_list = nullptr;
  // Where qx-qy.dom and qx-qy.txt are looked for, with trailing separator.
  std::string plugins_folder;
};

}  // namespace qxqy
