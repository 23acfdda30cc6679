// Text operations with exactly defined byte semantics. Every text in the
// plug-in is single-byte (the ANSI code page on Windows); nothing here
// depends on a locale except the case-insensitive helpers at the bottom.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qxqy {

// Changes the letters a to z into A to Z and leaves every other byte alone.
std::string UpperCase(std::string_view text);

// A byte upper-cased as above: a to z become A to Z.
constexpr char AsciiUpperCaseChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// True when `a` and `b` are equal once both are upper-cased as above
// (a to z only); compares without copying. Inline: readers ask it of every
// line's tag.
inline bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpperCaseChar(a[i]) != AsciiUpperCaseChar(b[i])) return false;
  }
  return true;
}

// True for the characters trimming removes: codes 0 to 32 (the blank and
// the control characters), compared as unsigned bytes, so 128 to 255 stay.
constexpr bool IsTrimmedChar(char c) { return static_cast<unsigned char>(c) <= 32; }

// Removes every character with a code from 0 to 32 at both ends. TrimView
// does the same without copying: the result views `text`.
std::string Trim(std::string_view text);
std::string_view TrimView(std::string_view text);

// Byte-by-byte comparison of unsigned bytes; a prefix sorts first.
// Returns -1, 0 or 1.
int CompareOrdinal(std::string_view a, std::string_view b);

// Case-insensitive comparison under the user's locale. These two functions
// own the platform choice (CompareStringA/LCMapStringA on Windows, the C
// library's locale-aware folding natively) and agree with each other:
// SameTextIgnoreCase(a, b) == (CaseInsensitiveKey(a) == CaseInsensitiveKey(b)).
// The key is meant for hash indexes that must agree with the comparison.
bool SameTextIgnoreCase(std::string_view a, std::string_view b);
std::string CaseInsensitiveKey(std::string_view text);

// Locale-aware, case-sensitive comparison under the user's locale
// (CompareStringA without flags on Windows, strcoll natively); the order a
// list view sorts its captions in. Returns -1, 0 or 1.
int CompareLocale(std::string_view a, std::string_view b);

// `text` without the UTF-8 byte order mark (EF BB BF) it may start with, as
// a Windows editor writes it before the first line.
std::string_view WithoutUtf8ByteOrderMark(std::string_view text);

// The length of the well-formed UTF-8 sequence `text` starts with (1 for an
// ASCII byte), or 0 when it starts with none (a Latin-1 byte, a cut or
// overlong sequence, a surrogate, a code point above U+10FFFF); `code_point`
// is set when it is not 0. `text` must not be empty.
size_t Utf8SequenceAt(std::string_view text, uint32_t& code_point);

// Calls `character(code_point, bytes)` for each character of `text`: a
// well-formed UTF-8 sequence, or else one byte read as Latin-1 (its code
// point is the byte).
template <typename Function>
void ForEachCharacter(std::string_view text, Function character) {
  while (!text.empty()) {
    uint32_t code_point = 0;
    size_t length = Utf8SequenceAt(text, code_point);
    if (length == 0) {
      length = 1;
      code_point = static_cast<unsigned char>(text[0]);
    }
    character(code_point, text.substr(0, length));
    text.remove_prefix(length);
  }
}

// Decimal text of a signed integer.
std::string IntToText(long long value);

}  // namespace qxqy
