#include "logfile/mode_map.h"

#include "base/text.h"

namespace qxqy::logfile {

std::optional<std::string_view> ModeOfCabrillo(std::string_view code) {
  static constexpr std::pair<std::string_view, std::string_view> kCodes[] = {
      {"CW", "CW"}, {"PH", "SSB"}, {"FM", "FM"}, {"RY", "RTTY"}, {"DG", "DIG"}};
  for (const auto& [cabrillo, canonical] : kCodes) {
    if (SameIgnoringAsciiCase(code, cabrillo)) return canonical;
  }
  return std::nullopt;
}

std::optional<std::string_view> ModeOfAdif(std::string_view mode) {
  if (mode.empty()) return std::nullopt;
  for (std::string_view phone : {"USB", "LSB", "AM"}) {
    if (SameIgnoringAsciiCase(mode, phone)) return kModes[1];
  }
  for (int i = 0; i < kModeCount - 1; ++i) {
    if (SameIgnoringAsciiCase(mode, kModes[i])) return kModes[i];
  }
  return kModes[kModeCount - 1];
}

int ModeIndex(std::string_view canonical) {
  for (int i = 0; i < kModeCount; ++i) {
    if (kModes[i] == canonical) return i;
  }
  return kModeCount - 1;
}

}  // namespace qxqy::logfile
