// Texts from a log as they may be shown: a log's bytes are UTF-8 when they
// are well-formed UTF-8 and Latin-1 otherwise (each byte its own
// character, ForEachCharacter), and no control character (C0, DEL or C1) ever reaches a
// terminal or a JSON reader raw.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/text.h"

namespace qxqy::logfile {

// True for the control characters: U+0000 to U+001F and U+007F to U+009F.
constexpr bool IsControlCharacter(uint32_t code_point) {
  return code_point < 0x20 || (code_point >= 0x7F && code_point <= 0x9F);
}

// `text` with the bytes of every control character written as \t, \r, \n
// or \xHH (an escape sequence, a BEL), everything else as it is.
std::string EscapeUnprintable(std::string_view text);

}  // namespace qxqy::logfile
