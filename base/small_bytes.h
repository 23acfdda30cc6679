// Copying and comparing runs of a few bytes (calls, bands, keys of a few
// characters) without a call to the library's routines, which cost more
// than the work for so few bytes. Runs of up to 16 bytes are handled by two
// overlapping words (or three bytes), never touching a byte outside them;
// longer runs go to the library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace qxqy {

inline void CopySmallBytes(void* to, const void* from, size_t size) {
  auto* out = static_cast<unsigned char*>(to);
  const auto* in = static_cast<const unsigned char*>(from);
  const auto two_words = [&](auto word) {
    constexpr size_t kSize = sizeof word;
    std::memcpy(&word, in, kSize);
    std::memcpy(out, &word, kSize);
    std::memcpy(&word, in + size - kSize, kSize);
    std::memcpy(out + size - kSize, &word, kSize);
  };
  if (size > 16) {
    std::memcpy(out, in, size);
  } else if (size >= 8) {
    two_words(uint64_t{0});
  } else if (size >= 4) {
    two_words(uint32_t{0});
  } else if (size > 0) {
    out[0] = in[0];
    out[size / 2] = in[size / 2];
    out[size - 1] = in[size - 1];
  }
}

// True when the `size` bytes at `a` and at `b` are the same.
inline bool SameSmallBytes(const void* a, const void* b, size_t size) {
  const auto* x = static_cast<const unsigned char*>(a);
  const auto* y = static_cast<const unsigned char*>(b);
  const auto two_words = [&](auto word) {
    constexpr size_t kSize = sizeof word;
    decltype(word) other = 0;
    std::memcpy(&word, x, kSize);
    std::memcpy(&other, y, kSize);
    if (word != other) return false;
    std::memcpy(&word, x + size - kSize, kSize);
    std::memcpy(&other, y + size - kSize, kSize);
    return word == other;
  };
  if (size > 16) return std::memcmp(x, y, size) == 0;
  if (size >= 8) return two_words(uint64_t{0});
  if (size >= 4) return two_words(uint32_t{0});
  if (size == 0) return true;
  return x[0] == y[0] && x[size / 2] == y[size / 2] && x[size - 1] == y[size - 1];
}

inline bool SameSmallBytes(std::string_view a, std::string_view b) {
  return a.size() == b.size() && SameSmallBytes(a.data(), b.data(), a.size());
}

}  // namespace qxqy
