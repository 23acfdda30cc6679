// Per-window settings: the window's placement and a few stored values, kept
// in the settings store under a section named after the window's class
// ("TfmMainForm", "TfmDomList").
//
// Moments (driven by the form, see FormListener):
//  - Restore() when the form turns visible, before its show handler: reads
//    the stored values (a missing one keeps its default) and applies the
//    saved placement. A saved rectangle applies only when the saved
//    "PixelsPerInch" equals the screen's as the form was laid out for it
//    (Form::PixelsPerInch); values that are not numbers, have
//    too few fields, describe an empty rectangle or lie off every screen are
//    ignored, never fatal. A sizeable window takes the saved size too; a
//    fixed-size one only the position and keeps its own size. Unless "position only", a saved
//    maximised state is applied as well, to a window that has a maximise
//    box (a saved minimised state restores as normal, so the window comes
//    up where the operator can see it).
//  - Save() when the form agrees to close and, if it has not saved since
//    the last restore, when the form is destroyed. Nothing is saved unless
//    the storage restored earlier in the form's life. A save the store
//    refused counts as done: it is not tried again at the destruction.
//
// The placement values are the fields of the window's placement record
// (WindowPlacement): "Flags", "ShowCmd" ("1" normal, "2" minimised, "3"
// maximised), "MinMaxPos" ("minx,miny,maxx,maxy") and "NormPos"
// ("left,top,right,bottom" of the normal position in work-area
// coordinates). The saved normal position is applied while the window is
// still hidden, through the same record; the check that it lies on a
// screen converts it to screen coordinates first.
//
// Values written: "FormVersion" ("0"), "Flags", "ShowCmd", "PixelsPerInch"
// (the density the form was laid out for), "MinMaxPos", "NormPos", "Visible" ("1" or "0"), then
// each stored value. A store that refuses a write (throws Error) ends the save silently: the
// window's close goes on without an error box, and the store keeps what it
// held for every value not yet written (all of them when it refuses the
// first). A lost window position is cosmetic, and a box at the close would
// hold up the host's shutdown. Other failures (no memory) propagate.
//
// The store: the platform's store (CreateSettingsStore), created at first
// use, unless a test override is in place (ScopedStoreOverride).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/settings_store.h"
#include "ui/component.h"
#include "ui/form.h"

namespace qxqy {

class FormStorage : public Component, private FormListener {
 public:
  // Attaches to `form` (which owns the storage and must outlive it).
  FormStorage(Form* form, std::string name);
  ~FormStorage() override;

  // Restore only the position (and size for a sizeable window).
  bool PositionOnly() const { return position_only_; }
  void SetPositionOnly(bool on) { position_only_ = on; }

  // Declares a stored value with its default; its value starts at the default.
  void AddStoredValue(std::string name, std::string default_value);
  // The value in memory; throws Error for an undeclared name.
  const std::string& StoredValue(std::string_view name) const;
  void SetStoredValue(std::string_view name, std::string value);

  // The settings section: the form's class name.
  const std::string& Section() const;

  void Restore();
  void Save();
  bool Restored() const { return restored_; }

  // While alive, every FormStorage uses `store` (not owned; it must outlive
  // the override) instead of the platform's store. Overrides nest.
  class ScopedStoreOverride {
   public:
    explicit ScopedStoreOverride(SettingsStore* store);
    ~ScopedStoreOverride();
    ScopedStoreOverride(const ScopedStoreOverride&) = delete;
    ScopedStoreOverride& operator=(const ScopedStoreOverride&) = delete;

   private:
    SettingsStore* previous_;
  };

 private:
  struct StoredValueEntry {
    std::string name;
    std::string default_value;
    std::string value;
  };

  void FormShowing() override;
  void FormCloseAccepted() override;
  void FormDestroying() override;

  SettingsStore& Store();
  void RestorePlacement(SettingsStore& store);
  StoredValueEntry* Find(std::string_view name);
  const StoredValueEntry* Find(std::string_view name) const;

  Form* form_;
  bool position_only_ = false;
  bool restored_ = false;
  bool saved_since_restore_ = false;
  std::vector<StoredValueEntry> values_;
  std::unique_ptr<SettingsStore> own_store_;
};

}  // namespace qxqy
