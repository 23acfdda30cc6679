#include "scoring/district_code.h"

namespace qxqy {

namespace {

constexpr size_t kCodeLength = 3;

char UpperCaseLetter(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool ExtractDistrictCode(std::string_view exchange, std::string* code) {
  // Letters lie above the trimmed range, so three trailing letters of the
  // text trimmed at its end are also those of the text trimmed at both ends.
  while (!exchange.empty() && static_cast<unsigned char>(exchange.back()) <= 32) {
    exchange.remove_suffix(1);
  }
  if (exchange.size() < kCodeLength) return false;
  char letters[kCodeLength];
  for (size_t i = 0; i < kCodeLength; ++i) {
    letters[i] = UpperCaseLetter(exchange[exchange.size() - kCodeLength + i]);
    if (letters[i] < 'A' || letters[i] > 'Z') return false;
  }
  code->assign(letters, kCodeLength);
  return true;
}

}  // namespace qxqy
