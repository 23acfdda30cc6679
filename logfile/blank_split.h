// A line split at runs of blanks (spaces and tabs), as a Cabrillo contact
// line is split into its fields: the reader's innermost loop.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qxqy::logfile {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

namespace blank_split_detail {

// The position of the first blank in `text` from `from` on, or its size.
inline size_t NextBlank(std::string_view text, size_t from) {
  size_t i = from;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  // Eight bytes at a time: a byte equal to the blank or the tab becomes 0
  // after the XOR, and the lowest high bit of (x - 1...) & ~x marks the
  // first zero byte (bits above it may be wrong, and are not read).
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHighBits = 0x8080808080808080ull;
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, text.data() + i, sizeof word);
    const uint64_t space = word ^ (kOnes * ' ');
    const uint64_t tab = word ^ (kOnes * '\t');
    const uint64_t blanks = ((space - kOnes) & ~space) | ((tab - kOnes) & ~tab);
    if ((blanks & kHighBits) != 0) {
      return i + static_cast<size_t>(__builtin_ctzll(blanks & kHighBits)) / 8;
    }
  }
#endif
  while (i < text.size() && !IsBlank(text[i])) ++i;
  return i;
}

#if defined(__SSE2__)
// One bit per byte of a block of up to 64 bytes, set for a blank; the bits
// past `size` are set too (the block is read from a copy padded with
// blanks, never past the text's end).
inline uint64_t BlankBits(const char* block, size_t size) {
  alignas(16) char padded[64];
  const char* bytes = block;
  if (size < 64) {
    std::memset(padded, ' ', sizeof padded);
    std::memcpy(padded, block, size);
    bytes = padded;
  }
  const __m128i space = _mm_set1_epi8(' ');
  const __m128i tab = _mm_set1_epi8('\t');
  uint64_t bits = 0;
  for (int part = 0; part < 4; ++part) {
    const __m128i chunk = _mm_loadu_si128(
        reinterpret_cast<const __m128i*>(bytes + static_cast<ptrdiff_t>(16 * part)));
    const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(chunk, space), _mm_cmpeq_epi8(chunk, tab));
    bits |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(blank))} << (16 * part);
  }
  return bits;
}
#endif

// The fields of `text` handed to add(start, end) in order, found by
// looking for each field's end eight bytes at a time: where SSE2 is not
// there.
template <typename Add>
void SplitByWords(std::string_view text, Add&& add) {
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size()) break;
    const size_t start = i;
    i = NextBlank(text, i);
    add(start, i);
  }
}

#if defined(__SSE2__)
// The same, 64 bytes at a time: a mask of the blanks, walked from one
// change (blank to not, or back) to the next.
template <typename Add>
void SplitByMasks(std::string_view text, Add&& add) {
  bool in_field = false;
  size_t start = 0;
  for (size_t base = 0; base < text.size(); base += 64) {
    const size_t size = std::min<size_t>(64, text.size() - base);
    const uint64_t blanks = BlankBits(text.data() + base, size);
    size_t i = 0;
    while (i < size) {
      const uint64_t next = (in_field ? blanks : ~blanks) >> i;
      if (next == 0) break;  // no change before the block's end
      i += static_cast<size_t>(__builtin_ctzll(next));
      if (i >= size) break;
      if (in_field) {
        add(start, base + i);
      } else {
        start = base + i;
      }
      in_field = !in_field;
    }
  }
  if (in_field) add(start, text.size());
}
#endif

}  // namespace blank_split_detail

// Splits `text` at runs of blanks into at most `fields.size()` fields and
// returns how many there are (counting past the array's end).
template <size_t N>
size_t SplitAtBlanks(std::string_view text, std::array<std::string_view, N>& fields) {
  size_t count = 0;
  const auto add = [&](size_t start, size_t end) {
    if (count < N) fields[count] = text.substr(start, end - start);
    ++count;
  };
#if defined(__SSE2__)
  blank_split_detail::SplitByMasks(text, add);
#else
  blank_split_detail::SplitByWords(text, add);
#endif
  return count;
}

}  // namespace qxqy::logfile
