// Case folding under the process's C locale (setlocale decides, as the
// user's locale does on Windows).
#include <cctype>

#include "framework/text.h"

namespace qxqy {

std::string CaseInsensitiveKey(std::string_view text) {
  std::string key(text);
  for (char& c : key) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return key;
}

}  // namespace qxqy
