#include "base/short_text.h"

#include <algorithm>
#include <cstring>

namespace qxqy {

std::string ReadShortText(const ShortText& slot) {
  return std::string(reinterpret_cast<const char*>(slot.bytes + 1), slot.bytes[0]);
}

void WriteShortText(ShortText& slot, std::string_view text) {
  const size_t length = std::min(text.size(), kShortTextMaxLength);
  slot.bytes[0] = static_cast<uint8_t>(length);
  if (length > 0) std::memcpy(slot.bytes + 1, text.data(), length);
}

}  // namespace qxqy
