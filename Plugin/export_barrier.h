// The barrier around each export: runs `work`; if it throws, runs
// `on_error` (which puts the neutral result in place) and shows the error's
// message in the standard error box (ErrorBoxText: "Out of memory" for a
// failed allocation; "Unexpected error" for what is no std::exception).
// Nothing escapes: `on_error` must not throw, and the error box never does.
#pragma once

#include <exception>
#include <string>

#include "ui/error_box.h"

namespace qxqy::plugin {

template <typename Work, typename OnError>
void RunBarrier(Work&& work, OnError&& on_error) noexcept {
  std::string message;
  try {
    work();
    return;
  } catch (const std::exception& error) {
    message = ErrorBoxText(error);
  } catch (...) {
    message = "Unexpected error";
  }
  on_error();
  ShowErrorBox(message);
}

}  // namespace qxqy::plugin
