#include "logfile/printable_text.h"

namespace qxqy::logfile {

size_t Utf8SequenceAt(std::string_view text, uint32_t& code_point) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  }
  size_t length = 0;
  uint32_t value = 0;
  uint32_t smallest = 0;  // below it the form is overlong
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1Fu;
    smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0Fu;
    smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07u;
    smallest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0u) != 0x80u) return 0;
    value = (value << 6) | (next & 0x3Fu);
  }
  if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  code_point = value;
  return length;
}

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
