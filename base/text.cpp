#include "base/text.h"

namespace qxqy {

namespace {
char UpperCaseChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = UpperCaseChar(c);
  return result;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperCaseChar(a[i]) != UpperCaseChar(b[i])) return false;
  }
  return true;
}

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && IsTrimmedChar(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsTrimmedChar(text.back())) text.remove_suffix(1);
  return text;
}

std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

int CompareOrdinal(std::string_view a, std::string_view b) {
  // std::string_view::compare uses char_traits<char>::compare, which is
  // specified to compare as unsigned char.
  const int c = a.compare(b);
  return (c > 0) - (c < 0);
}

std::string_view WithoutUtf8ByteOrderMark(std::string_view text) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  if (text.substr(0, kMark.size()) == kMark) text.remove_prefix(kMark.size());
  return text;
}

std::string IntToText(long long value) { return std::to_string(value); }

bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
  return CaseInsensitiveKey(a) == CaseInsensitiveKey(b);
}

}  // namespace qxqy
