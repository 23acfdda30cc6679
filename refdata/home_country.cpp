#include "refdata/home_country.h"

#include "base/text.h"

namespace qxqy {

namespace {

constexpr char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// "QX" or "QY" ignoring a to z case.
bool IsHomeCode(char first, char second) {
  const char upper_second = UpperAscii(second);
  return UpperAscii(first) == 'Q' && (upper_second == 'X' || upper_second == 'Y');
}

}  // namespace

bool IsHomeCountry(std::string_view country) {
  // Asked for every contact scored: compared in place, without building the
  // delimited text. Trimming and upper-casing touch different characters,
  // so trimming first gives the same text. Every X for which ":" + X + ":"
  // occurs in ":QX:QY:" is "QX", "QY" or "QX:QY".
  const std::string_view trimmed = TrimView(country);
  if (trimmed.size() == 2) return IsHomeCode(trimmed[0], trimmed[1]);
  return trimmed.size() == 5 && SameIgnoringAsciiCase(trimmed, "QX:QY");
}

}  // namespace qxqy
