#include "scoring/district_code.h"

#include <algorithm>

#include "base/text.h"

namespace qxqy {

namespace {

char UpperCaseLetter(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool ExtractDistrictCode(std::string_view exchange, char (&code)[kDistrictCodeLength]) {
  // Letters lie above the trimmed range, so three trailing letters of the
  // text trimmed at its end are also those of the text trimmed at both ends.
  while (!exchange.empty() && IsTrimmedChar(exchange.back())) exchange.remove_suffix(1);
  if (exchange.size() < kDistrictCodeLength) return false;
  char letters[kDistrictCodeLength];
  for (size_t i = 0; i < kDistrictCodeLength; ++i) {
    letters[i] = UpperCaseLetter(exchange[exchange.size() - kDistrictCodeLength + i]);
    if (letters[i] < 'A' || letters[i] > 'Z') return false;
  }
  std::copy(letters, letters + kDistrictCodeLength, code);
  return true;
}

bool ExtractDistrictCode(std::string_view exchange, std::string* code) {
  char letters[kDistrictCodeLength];
  if (!ExtractDistrictCode(exchange, letters)) return false;
  code->assign(letters, kDistrictCodeLength);
  return true;
}

}  // namespace qxqy
