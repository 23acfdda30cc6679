#include "logfile/printable_text.h"

namespace qxqy::logfile {

std::string EscapeUnprintable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachCharacter(text, [&out](uint32_t code_point, std::string_view bytes) {
    if (!IsControlCharacter(code_point)) {
      out += bytes;
      return;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    for (const char c : bytes) {
      switch (c) {
        case '\t':
          out += "\\t";
          break;
        case '\r':
          out += "\\r";
          break;
        case '\n':
          out += "\\n";
          break;
        default: {
          const auto byte = static_cast<unsigned char>(c);
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 0xFu];
        }
      }
    }
  });
  return out;
}

}  // namespace qxqy::logfile
