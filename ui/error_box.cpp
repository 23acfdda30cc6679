#include "ui/error_box.h"

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

bool quiet = false;

}  // namespace

void ShowErrorBox(const std::string& message) {
  try {
    std::vector<std::string>& recorded = Recorded();
    if (recorded.size() >= kMaxRecorded) recorded.erase(recorded.begin());
    recorded.push_back(message);
    if (!quiet) backend::ShowNativeErrorBox(message);
  } catch (...) {
    // The error box is the last stop of an error; it has nowhere to report.
  }
}

const std::vector<std::string>& ErrorBoxLog() { return Recorded(); }

void ClearErrorBoxLog() { Recorded().clear(); }

bool SetErrorBoxQuiet(bool on) {
  const bool previous = quiet;
  quiet = on;
  return previous;
}

}  // namespace qxqy
