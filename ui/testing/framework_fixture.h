// Shared helpers for tests that create windows: a fixture that leaves the
// module's application clean after each test (forms destroyed, posted
// messages dispatched, error box log cleared, no real settings touched),
// and a component that reports its destruction.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/testing/fake_settings_store.h"
#include "ui/application.h"
#include "ui/component.h"
#include "ui/error_box.h"
#include "ui/form_storage.h"
#include "ui/graphics.h"

namespace qxqy::testing {

class FrameworkTest : public ::testing::Test {
 protected:
  FrameworkTest() : store_override_(&store_) {
    ClearErrorBoxLog();
    previous_quiet_ = SetErrorBoxQuiet(true);
  }
  // Before any member of a derived fixture goes: handlers may still use them.
  void TearDown() override {
    Application::Instance().Shutdown();
    Application::Instance().ProcessMessages();
    ClearErrorBoxLog();
    SetErrorBoxQuiet(previous_quiet_);
  }
  ~FrameworkTest() override { Application::Instance().Shutdown(); }

  static Application& App() { return Application::Instance(); }

  FakeSettingsStore store_;

 private:
  FormStorage::ScopedStoreOverride store_override_;
  bool previous_quiet_ = false;
};

// Appends its name to `log` when destroyed, to check that and in what order
// components go.
class DestroyProbe : public Component {
 public:
  DestroyProbe(Component* owner, std::string name, std::vector<std::string>* log)
      : Component(owner, std::move(name)), log_(log) {}
  ~DestroyProbe() override { log_->push_back(Name()); }

 private:
  std::vector<std::string>* log_;
};

// The font both windows are designed with: "MS Sans Serif", 11 pixels high
// at 96 pixels per inch, regular, in the window-text colour.
inline Font DesignedWindowFont() {
  Font font;
  font.name = "MS Sans Serif";
  font.height = 11;
  font.bold = false;
  font.color = kColorWindowText;
  font.charset = kDefaultCharset;
  return font;
}

}  // namespace qxqy::testing
