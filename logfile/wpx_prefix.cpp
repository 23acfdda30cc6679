#include "logfile/wpx_prefix.h"

namespace qxqy::logfile {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The prefix of a call or of a designator written alone; `zero_after` is
// how many leading characters a text without digits keeps before its 0.
// A digit in first place belongs to the country's letters (9A, 3A, 4X),
// not to a call area, so a text whose only digit leads has none: 9A/N8BJQ
// counts as 9A0, not as 9, which would lump every 9A, 9H and 9K together.
std::string OwnPrefix(std::string_view text, size_t zero_after) {
  const size_t last_digit = text.find_last_of("0123456789");
  if (last_digit != std::string_view::npos && last_digit > 0) {
    return std::string(text.substr(0, last_digit + 1));
  }
  if (text.empty()) return std::string();
  return std::string(text.substr(0, zero_after)) + '0';
}

}  // namespace

std::string WpxPrefix(std::string_view call) { return WpxPrefix(SplitCall(call)); }

std::string WpxPrefix(const CallParts& parts) {
  if (parts.designator.empty()) return OwnPrefix(parts.call, 2);
  if (parts.DesignatorIsDigit()) {
    std::string prefix = OwnPrefix(parts.call, 2);
    while (!prefix.empty() && IsDigit(prefix.back())) prefix.pop_back();
    return prefix + parts.designator[0];
  }
  return OwnPrefix(parts.designator, parts.designator.size());
}

}  // namespace qxqy::logfile
