#include "refdata/home_country.h"

#include "base/text.h"

namespace qxqy {

namespace {
// Every X for which ":" + X + ":" occurs in ":QX:QY:".
constexpr std::string_view kHomeCountryTexts[] = {"QX", "QY", "QX:QY"};
}  // namespace

bool IsHomeCountry(std::string_view country) {
  // Asked for every contact scored: compared in place, without building the
  // delimited text. Trimming and upper-casing touch different characters,
  // so trimming first gives the same text.
  const std::string_view trimmed = TrimView(country);
  for (std::string_view home : kHomeCountryTexts) {
    if (SameIgnoringAsciiCase(trimmed, home)) return true;
  }
  return false;
}

}  // namespace qxqy
