// The module's one application object. It owns the top-level forms created
// through it, holds the application handle (the native owner of top-level
// forms that have no owner form), and dispatches pending messages.
//
// Lifetime: created on first use; at module unload (static destruction) it
// destroys every form it still owns. Shutdown() does the same at once, for
// tests and for an orderly unload.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ui/component.h"
#include "ui/component_ref.h"

namespace qxqy {

class Form;

class Application : public Component {
 public:
  static Application& Instance();

  // The application handle: zero in a freshly loaded module.
  uint32_t Handle() const { return handle_; }
  void SetHandle(uint32_t handle) { handle_ = handle; }

  // Constructs a form T(this, args...) owned by the application.
  template <class T, class... Args>
  T* CreateForm(Args&&... args) {
    return Create<T>(std::forward<Args>(args)...);
  }

  // Dispatches the pending messages once (native: the posted-message queue,
  // including messages posted while dispatching; Windows: a PeekMessage
  // loop). Released forms are destroyed here unless busy.
  void ProcessMessages();

  // Destroys every component the application owns, newest first. The
  // handle is kept. Safe to call repeatedly.
  void Shutdown();

  // Forms whose dispatched release waits for a BusyScope to end. When the
  // outermost scope of the module ends, their releases are posted again.
  void DeferRelease(Form& form);
  void BusyEnded();
  void BusyBegan() { ++busy_depth_; }

 private:
  Application();
  ~Application() override;

  uint32_t handle_ = 0;
  int busy_depth_ = 0;
  std::vector<ComponentRef<Form>> deferred_releases_;
};

}  // namespace qxqy
