// A short text: a 256-byte slot holding a length byte (0 to 255) followed by
// that many single-byte characters, without terminator. The bytes behind the
// characters carry no meaning and are never written.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/small_bytes.h"

namespace qxqy {

constexpr size_t kShortTextSize = 256;
constexpr size_t kShortTextMaxLength = 255;

struct ShortText {
  uint8_t bytes[kShortTextSize];
};
static_assert(sizeof(ShortText) == kShortTextSize);

// The text held by the slot: its first `length byte` characters.
std::string ReadShortText(const ShortText& slot);

// The same text as a view into the slot, without copying; valid while the
// slot is neither written nor destroyed.
inline std::string_view ShortTextView(const ShortText& slot) {
  return std::string_view(reinterpret_cast<const char*>(slot.bytes + 1), slot.bytes[0]);
}

// Writes `text` cut to 255 characters: the length byte and the characters;
// the bytes behind them keep their values. Inline, copying a short text
// without a call: a check writes several per contact.
inline void WriteShortText(ShortText& slot, std::string_view text) {
  const size_t length = std::min(text.size(), kShortTextMaxLength);
  slot.bytes[0] = static_cast<uint8_t>(length);
  CopySmallBytes(slot.bytes + 1, text.data(), length);
}

}  // namespace qxqy
