#include "tools/hostsim/text_format.h"

#include "base/error.h"

namespace qxqy::hostsim {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string EscapeText(std::string_view text, std::string_view also_escape) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (byte < 0x20 || byte >= 0x7F) {
      out += "\\x";
      out += kHexDigits[byte >> 4];
      out += kHexDigits[byte & 0x0F];
    } else {
      if (also_escape.find(c) != std::string_view::npos) out += '\\';
      out += c;
    }
  }
  return out;
}

std::string QuoteText(std::string_view text) { return '"' + EscapeText(text, "\"") + '"'; }

std::string UnescapeText(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) throw Error("a backslash ends the text");
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case '"':
        out += '"';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      case 'x': {
        const int high = i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
        if (high < 0 || low < 0) throw Error("\\x needs two hex digits");
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        throw Error(std::string("unknown escape \\") + text[i]);
    }
  }
  return out;
}

std::vector<unsigned char> ParseHexBytes(std::string_view text) {
  std::vector<unsigned char> bytes;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == ' ' || text[i] == '\t') {
      ++i;
      continue;
    }
    const int high = HexValue(text[i]);
    const int low = i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
    if (high < 0 || low < 0) throw Error("hex bytes are pairs of hex digits");
    bytes.push_back(static_cast<unsigned char>(high * 16 + low));
    i += 2;
  }
  return bytes;
}

std::string FormatByteRanges(const std::vector<ByteRange>& ranges) {
  std::string out;
  for (const auto& [first, last] : ranges) {
    if (!out.empty()) out += ", ";
    out += std::to_string(first);
    if (last != first) out += ".." + std::to_string(last);
  }
  return out;
}

}  // namespace qxqy::hostsim
