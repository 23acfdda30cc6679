#include "ui/form_storage.h"

#include "base/error.h"
#include "ui/placement_text.h"
#include "ui/screen.h"

namespace qxqy {

namespace {

SettingsStore* store_override = nullptr;

std::string FormatMinMaxPosition(const WindowPlacement& placement) {
  return FormatRect(Rect{placement.min_x, placement.min_y, placement.max_x, placement.max_y});
}

}  // namespace

FormStorage::FormStorage(Form* form, std::string name)
    : Component(form, std::move(name)), form_(form) {
  form_->AddListener(this);
}

FormStorage::~FormStorage() { form_->RemoveListener(this); }

const std::string& FormStorage::Section() const { return form_->ClassName(); }

void FormStorage::AddStoredValue(std::string name, std::string default_value) {
  if (StoredValueEntry* entry = Find(name)) {
    entry->default_value = default_value;
    entry->value = std::move(default_value);
    return;
  }
  std::string value = default_value;
  values_.push_back(StoredValueEntry{std::move(name), std::move(default_value), std::move(value)});
}

const std::string& FormStorage::StoredValue(std::string_view name) const {
  const StoredValueEntry* entry = Find(name);
  if (entry == nullptr) throw Error("Unknown stored value " + std::string(name));
  return entry->value;
}

void FormStorage::SetStoredValue(std::string_view name, std::string value) {
  StoredValueEntry* entry = Find(name);
  if (entry == nullptr) throw Error("Unknown stored value " + std::string(name));
  entry->value = std::move(value);
}

FormStorage::StoredValueEntry* FormStorage::Find(std::string_view name) {
  for (StoredValueEntry& entry : values_) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

const FormStorage::StoredValueEntry* FormStorage::Find(std::string_view name) const {
  return const_cast<FormStorage*>(this)->Find(name);
}

SettingsStore& FormStorage::Store() {
  if (store_override != nullptr) return *store_override;
  if (!own_store_) own_store_ = CreateSettingsStore();
  return *own_store_;
}

void FormStorage::Restore() {
  SettingsStore& store = Store();
  for (StoredValueEntry& entry : values_) {
    std::optional<std::string> saved = store.Read(Section(), entry.name);
    entry.value = saved ? std::move(*saved) : entry.default_value;
  }
  RestorePlacement(store);
  restored_ = true;
  saved_since_restore_ = false;
}

void FormStorage::RestorePlacement(SettingsStore& store) {
  const auto read = [&](const char* name) {
    return store.Read(Section(), name).value_or(std::string());
  };
  const std::optional<int> saved_ppi = ParseInt(read("PixelsPerInch"));
  // The form was laid out for the screen's density at its creation: a
  // rectangle saved at another density belongs to another layout.
  const bool same_density = saved_ppi && *saved_ppi == form_->PixelsPerInch();
  const std::optional<Rect> saved = ParseRect(read("NormPos"));
  if (same_density && saved && saved->Width() > 0 && saved->Height() > 0 &&
      IsOnSomeScreen(WorkAreaToScreen(*saved, ScreenWorkArea()))) {
    if (form_->GetBorderStyle() == BorderStyle::kSizeable) {
      form_->SetNormalPosition(*saved);
    } else {
      form_->SetNormalPosition(
          RectFromBounds(saved->left, saved->top, form_->Width(), form_->Height()));
    }
  }
  if (position_only_) return;
  // A window without a maximise box cannot be maximised by its user, so a
  // saved maximised state (only an edited store holds one) is not applied.
  if (form_->HasMaximizeBox() && ParseInt(read("ShowCmd")) == kShowCmdMaximized) {
    form_->SetWindowState(WindowState::kMaximized);
  }
}

void FormStorage::Save() {
  if (!restored_) return;
  SettingsStore& store = Store();
  const std::string& section = Section();
  const WindowPlacement placement = form_->Placement();
  // The save counts as done even when the store refuses it: the destruction
  // that follows a close does not try a second time.
  saved_since_restore_ = true;
  try {
    store.Write(section, "FormVersion", "0");
    store.Write(section, "Flags", std::to_string(placement.flags));
    store.Write(section, "ShowCmd", std::to_string(placement.show_command));
    store.Write(section, "PixelsPerInch", std::to_string(form_->PixelsPerInch()));
    store.Write(section, "MinMaxPos", FormatMinMaxPosition(placement));
    store.Write(section, "NormPos", FormatRect(placement.normal_position));
    store.Write(section, "Visible", form_->Visible() ? "1" : "0");
    for (const StoredValueEntry& entry : values_) store.Write(section, entry.name, entry.value);
  } catch (const Error&) {
    // A store that refuses to write loses only where the window stood and
    // the values stored beside it, which is cosmetic; an error box here
    // would hold up the close, often the host's own shutdown. The next
    // start reads what the store held before.
  }
}

void FormStorage::FormShowing() { Restore(); }

void FormStorage::FormCloseAccepted() { Save(); }

void FormStorage::FormDestroying() {
  if (restored_ && !saved_since_restore_) Save();
}

FormStorage::ScopedStoreOverride::ScopedStoreOverride(SettingsStore* store)
    : previous_(store_override) {
  store_override = store;
}

FormStorage::ScopedStoreOverride::~ScopedStoreOverride() { store_override = previous_; }

}  // namespace qxqy
