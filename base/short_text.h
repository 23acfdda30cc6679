// A short text: a 256-byte slot holding a length byte (0 to 255) followed by
// that many single-byte characters, without terminator. The bytes behind the
// characters carry no meaning and are never written.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

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
// the bytes behind them keep their values. Inline, and a text of up to 16
// characters (a call, a band, a mode, a prefix) copied by two overlapping
// words or bytes without a call: a check writes several per contact.
inline void WriteShortText(ShortText& slot, std::string_view text) {
  const size_t length = std::min(text.size(), kShortTextMaxLength);
  slot.bytes[0] = static_cast<uint8_t>(length);
  uint8_t* to = slot.bytes + 1;
  const char* from = text.data();
  const auto two_words = [&](auto word) {
    constexpr size_t kSize = sizeof word;
    std::memcpy(&word, from, kSize);
    std::memcpy(to, &word, kSize);
    std::memcpy(&word, from + length - kSize, kSize);
    std::memcpy(to + length - kSize, &word, kSize);
  };
  if (length > 16) {
    std::memcpy(to, from, length);
  } else if (length >= 8) {
    two_words(uint64_t{0});
  } else if (length >= 4) {
    two_words(uint32_t{0});
  } else if (length > 0) {
    to[0] = static_cast<uint8_t>(from[0]);
    to[length / 2] = static_cast<uint8_t>(from[length / 2]);
    to[length - 1] = static_cast<uint8_t>(from[length - 1]);
  }
}

}  // namespace qxqy
