#include "ui/placement_text.h"

#include <charconv>
#include <cstdio>

namespace qxqy {

namespace {

std::string_view StripBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<int> ParseInt(std::string_view text) {
  text = StripBlanks(text);
  if (text.empty()) return std::nullopt;
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::optional<Rect> ParseRect(std::string_view text) {
  int fields[4];
  for (int i = 0; i < 4; ++i) {
    const size_t comma = text.find(',');
    const bool last = i == 3;
    if (last != (comma == std::string_view::npos)) return std::nullopt;
    const std::optional<int> value = ParseInt(text.substr(0, comma));
    if (!value) return std::nullopt;
    fields[i] = *value;
    if (!last) text.remove_prefix(comma + 1);
  }
  return Rect{fields[0], fields[1], fields[2], fields[3]};
}

std::string FormatRect(const Rect& rect) {
  char buffer[64];  // room for four 32-bit numbers: the result needs no check
  static_cast<void>(std::snprintf(buffer, sizeof buffer, "%d,%d,%d,%d", rect.left, rect.top,
                                  rect.right, rect.bottom));
  return buffer;
}

}  // namespace qxqy
