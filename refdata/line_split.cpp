#include "refdata/line_split.h"

#include "base/text.h"

namespace qxqy {

std::vector<std::string> SplitIntoLines(std::string_view bytes) {
  const std::string_view unmarked = WithoutUtf8ByteOrderMark(bytes);
  const std::string_view text = unmarked.substr(0, unmarked.find('\0'));
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t start = pos;
    while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
    lines.emplace_back(text.substr(start, pos - start));
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return lines;
}

}  // namespace qxqy
