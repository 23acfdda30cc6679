#include "base/text.h"

namespace qxqy {

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = AsciiUpperCaseChar(c);
  return result;
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

size_t Utf8SequenceAt(std::string_view text, uint32_t& code_point) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  }
  size_t length = 0;
  uint32_t value = 0;
  uint32_t smallest = 0;  // below it the form is overlong
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1Fu;
    smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0Fu;
    smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07u;
    smallest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0u) != 0x80u) return 0;
    value = (value << 6) | (next & 0x3Fu);
  }
  if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  code_point = value;
  return length;
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
