// How the simulator prints texts and byte positions: stable, one line, every
// byte visible. Printable ASCII stays as it is; a backslash becomes "\\",
// TAB, CR and LF become "\t", "\r" and "\n", and every other byte becomes
// "\xNN" (two upper-case hex digits). Pure functions, no platform code.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qxqy::hostsim {

// `text` with the escapes above; each character of `also_escape` is written
// with a backslash in front of it as well.
std::string EscapeText(std::string_view text, std::string_view also_escape = {});

// `text` escaped and in double quotes (a quote inside becomes \").
std::string QuoteText(std::string_view text);

// Reads the escapes back: \\ \" \t \r \n \xNN. Throws qxqy::Error on a
// malformed escape.
std::string UnescapeText(std::string_view text);

// Bytes written as hex digit pairs, blanks allowed between pairs
// ("05 41 42", "054142"). Throws qxqy::Error on anything else.
std::vector<unsigned char> ParseHexBytes(std::string_view text);

// Inclusive ranges of byte positions, written "7" or "17..255", joined by ", ".
using ByteRange = std::pair<size_t, size_t>;
std::string FormatByteRanges(const std::vector<ByteRange>& ranges);

// The positions where `before` and `after` (both `size` bytes) differ and
// `allowed(position)` is false, merged into ranges.
template <typename Allowed>
std::vector<ByteRange> ChangedRanges(const unsigned char* before, const unsigned char* after,
                                     size_t size, Allowed allowed) {
  std::vector<ByteRange> ranges;
  for (size_t i = 0; i < size; ++i) {
    if (before[i] == after[i] || allowed(i)) continue;
    if (!ranges.empty() && ranges.back().second + 1 == i) {
      ranges.back().second = i;
    } else {
      ranges.emplace_back(i, i);
    }
  }
  return ranges;
}

}  // namespace qxqy::hostsim
