#include "crosscheck/call_sign.h"

#include <utility>

#include "base/text.h"
#include "logfile/call_parts.h"

namespace qxqy::crosscheck {

std::string NormalizeCall(std::string_view call) {
  std::string upper = UpperCase(TrimView(call));
  if (upper.find('/') == std::string::npos) return upper;
  std::string out;
  size_t start = 0;
  while (start <= upper.size()) {
    size_t end = upper.find('/', start);
    if (end == std::string::npos) end = upper.size();
    const std::string_view part = TrimView(std::string_view(upper).substr(start, end - start));
    if (!part.empty() && !logfile::IsIgnoredSuffix(part)) {
      if (!out.empty()) out += '/';
      out += part;
    }
    start = end + 1;
  }
  return out;
}

bool IsOneEdit(std::string_view a, std::string_view b) {
  if (a.size() > b.size()) std::swap(a, b);
  if (b.size() - a.size() > 1) return false;
  size_t first = 0;
  while (first < a.size() && a[first] == b[first]) ++first;
  if (a.size() == b.size()) {
    if (first == a.size()) return false;  // equal
    // One change: the rest equal after it.
    if (a.substr(first + 1) == b.substr(first + 1)) return true;
    // One swap of neighbours.
    return first + 1 < a.size() && a[first] == b[first + 1] && a[first + 1] == b[first] &&
           a.substr(first + 2) == b.substr(first + 2);
  }
  // One character added to `a` at `first`.
  return a.substr(first) == b.substr(first + 1);
}

}  // namespace qxqy::crosscheck
