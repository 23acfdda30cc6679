#include "ui/application.h"

#include "ui/backend.h"
#include "ui/error_box.h"
#include "ui/form.h"

namespace qxqy {

Application& Application::Instance() {
  static Application application;
  return application;
}

Application::Application() : Component(nullptr, "Application") {
  // The error box's record must outlive the application: forms destroyed at
  // unload may still report an error. Statics go in reverse order of creation.
  ErrorBoxLog();
}

Application::~Application() { Shutdown(); }

void Application::ProcessMessages() { backend::ProcessMessages(); }

void Application::Shutdown() {
  deferred_releases_.clear();
  DestroyOwnedComponents();
}

void Application::DeferRelease(Form& form) { deferred_releases_.emplace_back(&form); }

void Application::BusyEnded() {
  if (--busy_depth_ > 0) return;
  busy_depth_ = 0;
  std::vector<ComponentRef<Form>> deferred;
  deferred.swap(deferred_releases_);
  for (const ComponentRef<Form>& form : deferred) {
    if (!form) continue;
    try {
      form->Release();
    } catch (...) {
      // The form has a native window already (it was released once), so
      // posting again cannot fail in practice; never let it leave a scope's end.
    }
  }
}

}  // namespace qxqy
