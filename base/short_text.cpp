#include "base/short_text.h"

namespace qxqy {

std::string ReadShortText(const ShortText& slot) {
  return std::string(reinterpret_cast<const char*>(slot.bytes + 1), slot.bytes[0]);
}

}  // namespace qxqy
