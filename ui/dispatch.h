// The error barrier around every event handler the framework runs (show,
// close paths, button and toggle clicks, custom drawing, cell painting).
// The handler runs with the sender's form held busy (so a release dispatched
// inside it cannot destroy the form under it); an exception it throws ends
// the handler, its message goes to the error box (ErrorBoxText: "Out of
// memory" for a failed allocation), and the caller goes on.
#pragma once

#include <functional>

namespace qxqy {

class Component;

// Runs `handler` for an event of `sender`. Returns true when it completed,
// false when it threw (the message is already shown).
bool DispatchEvent(Component& sender, const std::function<void()>& handler);

}  // namespace qxqy
