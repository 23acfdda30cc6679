#include "logfile/call_parts.h"

#include <array>

namespace qxqy::logfile {

bool IsIgnoredSuffix(std::string_view part) {
  static constexpr std::string_view kIgnored[] = {"P", "M", "MM", "AM", "A", "E", "J", "QRP"};
  for (std::string_view ignored : kIgnored) {
    if (part == ignored) return true;
  }
  return false;
}

CallParts SplitCall(std::string_view call) {
  // Most calls have no slash: the whole text is the call (an ignored
  // suffix alone, or nothing, included).
  if (call.find('/') == std::string_view::npos) return {call, {}};
  // The parts that count, in order; more than a few slashes are no call at
  // all, so the rest are ignored.
  constexpr size_t kMaxParts = 8;
  std::array<std::string_view, kMaxParts> parts;
  size_t count = 0;
  size_t start = 0;
  while (start <= call.size() && count < kMaxParts) {
    size_t slash = call.find('/', start);
    if (slash == std::string_view::npos) slash = call.size();
    std::string_view part = call.substr(start, slash - start);
    if (!part.empty() && !IsIgnoredSuffix(part)) parts[count++] = part;
    start = slash + 1;
  }
  if (count == 0) {
    // Nothing but ignored suffixes (or nothing at all): the text is the call.
    size_t slash = call.find('/');
    return {call.substr(0, slash), {}};
  }
  if (count == 1) return {parts[0], {}};
  const auto is_digit = [](std::string_view p) {
    return p.size() == 1 && p[0] >= '0' && p[0] <= '9';
  };
  if (count == 2) {
    if (is_digit(parts[1])) return {parts[0], parts[1]};
    if (is_digit(parts[0])) return {parts[1], parts[0]};
    if (parts[1].size() < parts[0].size()) return {parts[0], parts[1]};
    return {parts[1], parts[0]};
  }
  size_t longest = 0;
  for (size_t i = 1; i < count; ++i) {
    if (parts[i].size() > parts[longest].size()) longest = i;
  }
  const size_t other = longest == 0 ? 1 : 0;
  return {parts[longest], parts[other]};
}

}  // namespace qxqy::logfile
