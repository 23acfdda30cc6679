#include "fuzz/reference_rules.h"

namespace qxqy::fuzzing {

std::string AsciiUpper(std::string_view text) {
  std::string upper;
  for (char c : text) upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return upper;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  const auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; };
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

std::string TrimControls(std::string_view text) {
  const auto is_control = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!text.empty() && is_control(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_control(text.back())) text.remove_suffix(1);
  return std::string(text);
}

bool IsHomeCountryRule(std::string_view country) {
  const std::string plain = TrimControls(AsciiUpper(country));
  return plain == "QX" || plain == "QY" || plain == "QX:QY";
}

std::optional<std::string> DistrictCodeRule(std::string_view exchange) {
  const std::string text = TrimControls(AsciiUpper(exchange));
  if (text.size() < 3) return std::nullopt;
  const std::string last = text.substr(text.size() - 3);
  for (char c : last) {
    if (c < 'A' || c > 'Z') return std::nullopt;
  }
  return last;
}

std::string TableValueRule(const std::vector<std::string>& lines, std::string_view name) {
  for (const std::string& line : lines) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    if (SameIgnoringCase(std::string_view(line).substr(0, equals), name)) {
      return line.substr(equals + 1);
    }
  }
  return std::string();
}

void CallLookupRule(const std::vector<std::string>& lines, std::string_view lookup_country,
                    std::string_view call, std::string& suggestion) {
  if (!IsHomeCountryRule(lookup_country) || call.empty()) return;
  for (const std::string& line : lines) {
    const std::string trimmed = TrimControls(line);
    const size_t equals = trimmed.find('=');
    if (equals == std::string::npos) continue;
    if (std::string_view(trimmed).substr(0, equals) == call)
      suggestion = trimmed.substr(equals + 1);
  }
}

}  // namespace qxqy::fuzzing
