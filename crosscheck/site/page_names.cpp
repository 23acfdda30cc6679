#include "crosscheck/site/page_names.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace qxqy::crosscheck::site {
namespace {

constexpr size_t kMaxStem = 64;

bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), AsciiUpper);
  return text;
}

bool IsDeviceName(const std::string& stem) {
  static constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  const std::string upper = Upper(stem);
  if (std::find(kDevices.begin(), kDevices.end(), upper) != kDevices.end()) return true;
  return upper.size() == 4 &&
         (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) && upper[3] >= '0' &&
         upper[3] <= '9';
}

}  // namespace

std::string StationFileStem(std::string_view call) {
  std::string stem;
  for (char c : call.substr(0, kMaxStem)) {
    if (IsAsciiAlnum(c) || c == '-') {
      stem += c;
    } else if (c == '/') {
      stem += '-';
    } else {
      stem += '_';
    }
  }
  if (stem.empty() || IsDeviceName(stem)) stem.insert(0, 1, '_');
  return stem;
}

std::vector<std::string> StationPageNames(const std::vector<StationPage>& stations) {
  std::vector<std::string> names;
  names.reserve(stations.size());
  std::unordered_set<std::string> taken;  // upper-cased, as a file system without case sees them
  for (const StationPage& station : stations) {
    const std::string stem = StationFileStem(station.call);
    std::string name = stem;
    for (size_t copy = 2; !taken.insert(Upper(name)).second; ++copy) {
      name = stem + "~" + std::to_string(copy);
    }
    names.push_back(name + ".html");
  }
  return names;
}

}  // namespace qxqy::crosscheck::site
