#include "ui/dispatch.h"

#include <exception>
#include <optional>

#include "ui/control.h"
#include "ui/error_box.h"
#include "ui/form.h"

namespace qxqy {

namespace {

// The form a component's events belong to: the form a control sits on, or
// the nearest form among the owners of anything else (a form's settings storage).
Form* FormOf(Component& sender) {
  if (Control* control = sender.AsControl()) {
    if (Form* form = control->ParentForm()) return form;
  }
  for (Component* c = &sender; c != nullptr; c = c->Owner()) {
    if (Form* form = c->AsForm()) return form;
  }
  return nullptr;
}

}  // namespace

bool DispatchEvent(Component& sender, const std::function<void()>& handler) {
  std::optional<Form::BusyScope> busy;
  if (Form* form = FormOf(sender)) busy.emplace(*form);
  try {
    handler();
    return true;
  } catch (const std::exception& error) {
    ShowErrorBox(ErrorBoxText(error));
  } catch (...) {
    ShowErrorBox("Unknown error");
  }
  return false;
}

}  // namespace qxqy
