#include "refdata/home_country.h"

#include <string>

#include "base/text.h"

namespace qxqy {

namespace {
constexpr std::string_view kHomeCountries = ":QX:QY:";
}  // namespace

bool IsHomeCountry(std::string_view country) {
  const std::string delimited = ":" + Trim(UpperCase(country)) + ":";
  return kHomeCountries.find(delimited) != std::string_view::npos;
}

}  // namespace qxqy
