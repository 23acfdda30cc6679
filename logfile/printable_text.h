// Texts from a log as they may be shown: a log's bytes are UTF-8 when they
// are well-formed UTF-8 and Latin-1 otherwise (each byte its own
// character), and no control character (C0, DEL or C1) ever reaches a
// terminal or a JSON reader raw.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qxqy::logfile {

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

// True for the control characters: U+0000 to U+001F and U+007F to U+009F.
constexpr bool IsControlCharacter(uint32_t code_point) {
  return code_point < 0x20 || (code_point >= 0x7F && code_point <= 0x9F);
}

// `text` with the bytes of every control character written as \t, \r, \n
// or \xHH (an escape sequence, a BEL), everything else as it is.
std::string EscapeUnprintable(std::string_view text);

}  // namespace qxqy::logfile
