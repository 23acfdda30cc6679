// Case folding under the process's C locale (setlocale decides, as the
// user's locale does on Windows).
#include <ctype.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>

#include "base/text.h"

namespace qxqy {

std::string CaseInsensitiveKey(std::string_view text) {
  std::string key(text);
#if defined(__GLIBC__)
  // The table tolower reads for the thread's current locale, read once per
  // key instead of once per character.
  const int32_t* const lower = *__ctype_tolower_loc();
  for (char& c : key) c = static_cast<char>(lower[static_cast<unsigned char>(c)]);
#else
  for (char& c : key) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
#endif
  return key;
}

}  // namespace qxqy

namespace qxqy {

int CompareLocale(std::string_view a, std::string_view b) {
  // strcoll needs terminated strings.
  const std::string left(a);
  const std::string right(b);
  const int c = std::strcoll(left.c_str(), right.c_str());
  return (c > 0) - (c < 0);
}

}  // namespace qxqy
