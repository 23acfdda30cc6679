#include "logfile/wpx_prefix.h"

namespace qxqy::logfile {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where the last digit of `text` is, or npos when it has none (a loop of
// its own: find_last_of searches its set of digits anew for every
// character).
size_t LastDigit(std::string_view text) {
  for (size_t at = text.size(); at > 0; --at) {
    if (IsDigit(text[at - 1])) return at - 1;
  }
  return std::string_view::npos;
}

// A call's own prefix: the call up to and including its last digit; a
// call without a digit gets a 0 after its first two letters.
std::string CallPrefix(std::string_view call) {
  const size_t last_digit = LastDigit(call);
  if (last_digit != std::string_view::npos) return std::string(call.substr(0, last_digit + 1));
  if (call.empty()) return std::string();
  return std::string(call.substr(0, 2)) + '0';
}

// A portable designator is the prefix as it is written (KH9, VP2E, 9A);
// one without a digit gets a 0 after its letters (PA -> PA0).
std::string DesignatorPrefix(std::string_view designator) {
  if (LastDigit(designator) != std::string_view::npos) return std::string(designator);
  return std::string(designator) + '0';
}

}  // namespace

std::string WpxPrefix(std::string_view call) { return WpxPrefix(SplitCall(call)); }

std::string WpxPrefix(const CallParts& parts) {
  if (parts.designator.empty()) return CallPrefix(parts.call);
  if (parts.DesignatorIsDigit()) {
    std::string prefix = CallPrefix(parts.call);
    while (!prefix.empty() && IsDigit(prefix.back())) prefix.pop_back();
    return prefix + parts.designator[0];
  }
  return DesignatorPrefix(parts.designator);
}

}  // namespace qxqy::logfile
