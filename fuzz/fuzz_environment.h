// What every fuzz target that opens windows needs around the plug-in: a
// Plugins folder in a temporary directory holding both reference files,
// window settings kept in memory (nothing touches the user's configuration),
// a quiet error box, and the same clean process at the start of every input.
//
// Lifetime: created on first use, removed (folder included) at process exit.
// Not thread-safe; libFuzzer runs one input at a time.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "base/testing/fake_settings_store.h"
#include "ui/form_storage.h"

namespace qxqy::testing {
class TempDir;
}  // namespace qxqy::testing

namespace qxqy::fuzzing {

// The reference files every fuzzed window loads. Their lines cover the
// formats' corners: valid codes, a value that differs from its name, blanks
// around "=", lower case, a line without "=", repeated calls, a district
// holding "=" and bytes above 127.
inline constexpr std::string_view kFuzzDistrictTable =
    "; districts\r\nALB=ALB\r\nBEX=BEX\r\nCAR=CAR\r\nabc=ABC\r\nXYZ=xyz\r\nDUN = DUN\r\n"
    "LONGVALUE=LONGVALUE\r\nno equals sign\r\n\r\nALB=ALB\r\n\xC0\xC1\xC2=\xC0\xC1\xC2\r\n";
inline constexpr std::string_view kFuzzCallDistricts =
    "QX1AB=ALB\n  QY2CD=BEX  \nQX1AB=CAR\nQX3EF==X=\nQX1ab=DUN\nQX1AB/P=ABC\n"
    "QX\xE9=\xC0\xC1\xC2\nQX4GH=\n";

class FuzzEnvironment {
 public:
  static FuzzEnvironment& Instance();

  // The folder holding qx-qy.dom and qx-qy.txt, with a trailing separator.
  const std::string& PluginsFolder() const { return plugins_folder_; }

  // Brings the process back to where a fresh one starts, so that what an
  // input does depends on its bytes alone: releases the main window,
  // destroys every window that is left, dispatches what is pending, empties
  // the module (record, window references, saved application handle) and
  // sets the application handle to zero, clears the error box log and
  // forgets the stored settings. The reference files never change.
  void Reset();
  // Reset, at the end of an input (the name the targets read best with).
  void EndInput() { Reset(); }

 private:
  FuzzEnvironment();
  ~FuzzEnvironment();

  std::unique_ptr<testing::TempDir> root_;
  std::string plugins_folder_;
  testing::FakeSettingsStore store_;
  FormStorage::ScopedStoreOverride store_override_;
};

}  // namespace qxqy::fuzzing
