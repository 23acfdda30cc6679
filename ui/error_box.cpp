#include "ui/error_box.h"

#include <new>

#include "ui/backend.h"

namespace qxqy {

namespace {

// Enough for any test; an endless stream of errors in a long session must
// not grow without bound.
constexpr size_t kMaxRecorded = 256;

std::vector<std::string>& Recorded() {
  static std::vector<std::string> recorded;
  return recorded;
}

bool quiet_boxes = false;

}  // namespace

std::string ErrorBoxText(const std::exception& error) noexcept {
  try {
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return kOutOfMemoryMessage;
    return error.what();
  } catch (...) {
    return kOutOfMemoryMessage;
  }
}

// The error box is the last stop of an error: a failure inside it has
// nowhere to be reported, so each step swallows its own.
void ShowErrorBox(const std::string& message) noexcept {
  try {
    std::vector<std::string>& recorded = Recorded();
    if (recorded.size() >= kMaxRecorded) recorded.erase(recorded.begin());
    recorded.push_back(message);
  } catch (...) {
  }
  if (quiet_boxes) return;
  try {
    backend::ShowNativeErrorBox(message);
  } catch (...) {
  }
}

const std::vector<std::string>& ErrorBoxLog() { return Recorded(); }

void ClearErrorBoxLog() { Recorded().clear(); }

bool SetErrorBoxQuiet(bool quiet) {
  const bool previous = quiet_boxes;
  quiet_boxes = quiet;
  return previous;
}

}  // namespace qxqy
