#include "tools/hostsim/output.h"

namespace qxqy::hostsim {

void Output::Line(std::string_view prefix, std::string_view text) {
  std::string line;
  line.reserve(prefix.size() + text.size() + 3);
  line.append(prefix).append(": ").append(text).append("\n");
  std::lock_guard<std::mutex> lock(mutex_);
  std::fwrite(line.data(), 1, line.size(), stream_);
  std::fflush(stream_);
}

}  // namespace qxqy::hostsim
