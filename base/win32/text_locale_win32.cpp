// Case-insensitive text under the user's locale: the sort key that
// LCMapStringA builds with NORM_IGNORECASE is, by definition, equal for two
// strings exactly when CompareStringA with the same flags calls them equal,
// so the hash indexes built on the key agree with the comparison.
#include <windows.h>

#include "base/text.h"

namespace qxqy {

std::string CaseInsensitiveKey(std::string_view text) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int size = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, nullptr, 0);
  if (size <= 0) return std::string(text);
  std::string key(static_cast<size_t>(size), '\0');
  LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, key.data(), size);
  return key;
}

}  // namespace qxqy

namespace qxqy {

int CompareLocale(std::string_view a, std::string_view b) {
  const int result = CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()),
                                    b.data(), static_cast<int>(b.size()));
  if (result == CSTR_LESS_THAN) return -1;
  if (result == CSTR_GREATER_THAN) return 1;
  return result == CSTR_EQUAL ? 0 : CompareOrdinal(a, b);
}

}  // namespace qxqy
