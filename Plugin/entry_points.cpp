#include "Plugin/entry_points.h"

#include <string>

#include "framework/application.h"
#include "MainForm/main_form.h"
#include "Plugin/module_state.h"

namespace qxqy::plugin {

uint32_t Run(uint32_t /*unused*/, const HostRecord* record) {
  ModuleState& module = Module();
  Application& application = Application::Instance();
  module.saved_application_handle = application.Handle();

  if (module.main_form.empty()) {
    TfmMainForm* form =
        application.CreateForm<TfmMainForm>(*record, module.MainWindowContext());
    module.main_form = form;
    form->HandleNeeded();
  }
  // Showing runs the first recalculation, which lets messages run; the
  // window may be closed meanwhile, so look again before using it.
  if (TfmMainForm* form = module.main_form.get()) form->Show();
  TfmMainForm* form = module.main_form.get();
  return form ? form->Handle() : 0;
}

int32_t GetScore(const HostRecord* record) {
  ModuleState& module = Module();
  CopyHostRecord(module.CurrentRecord, record);
  TfmMainForm* form = module.main_form.get();
  if (!form) return 0;
  return form->ScoreQso(/*commit=*/false);
}

int32_t AddQSO(const HostRecord* record) {
  ModuleState& module = Module();
  CopyHostRecord(module.CurrentRecord, record);
  TfmMainForm* form = module.main_form.get();
  if (!form) return 0;
  const int32_t result = form->ScoreQso(/*commit=*/true);
  form->ShowStatistics();
  return result;
}

void GrabNumber(const HostRecord* record, ShortText* result) {
  ModuleState& module = Module();
  CopyHostRecord(module.CurrentRecord, record);
  std::string suggestion;
  if (TfmMainForm* form = module.main_form.get()) form->LookupDistrict(suggestion);
  WriteShortText(*result, suggestion);
}

void ReleasePlugin() {
  try {
    ModuleState& module = Module();
    Application::Instance().SetHandle(module.saved_application_handle);
    if (TfmMainForm* form = module.main_form.get()) form->Release();
    module.main_form.reset();
  } catch (...) {
    // The host always sees a normal return.
  }
}

}  // namespace qxqy::plugin
