#include "crosscheck/site/html_text.h"

#include <cmath>

namespace qxqy::crosscheck::site {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The code point of the well-formed UTF-8 sequence at `pos` and its length
// in bytes, or length 0 when the bytes there are not one (overlong forms,
// surrogates and values beyond U+10FFFF are not).
struct Decoded {
  char32_t code = 0;
  size_t length = 0;
};
Decoded DecodeUtf8(std::string_view bytes, size_t pos) {
  const auto lead = static_cast<unsigned char>(bytes[pos]);
  size_t length = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
    minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
    minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
    minimum = 0x10000;
  } else {
    return {};
  }
  if (bytes.size() - pos < length) return {};
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[pos + i]);
    if ((next & 0xC0) != 0x80) return {};
    code = (code << 6) | (next & 0x3Fu);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
  return {code, length};
}

// Characters that change the direction text is drawn in: a call holding one
// could show as another call.
bool ReordersText(char32_t code) {
  return code == 0x061C || code == 0x200E || code == 0x200F || (code >= 0x202A && code <= 0x202E) ||
         (code >= 0x2066 && code <= 0x2069);
}

void AppendCharacter(std::string& out, char32_t code) {
  switch (code) {
    case '&':
      out += "&amp;";
      return;
    case '<':
      out += "&lt;";
      return;
    case '>':
      out += "&gt;";
      return;
    case '"':
      out += "&quot;";
      return;
    case '\'':
      out += "&#39;";
      return;
    case '\t':
    case '\n':
    case '\r':
      out += static_cast<char>(code);
      return;
    default:
      break;
  }
  if (code < 0x20) {
    AppendUtf8(out, 0x2400 + code);  // U+2401 "SOH" and so on
  } else if (code == 0x7F) {
    AppendUtf8(out, 0x2421);  // "DEL"
  } else if ((code >= 0x80 && code <= 0x9F) || ReordersText(code)) {
    AppendUtf8(out, kReplacement);
  } else {
    AppendUtf8(out, code);
  }
}

}  // namespace

void AppendHtmlText(std::string& out, std::string_view bytes) {
  size_t pos = 0;
  while (pos < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[pos]);
    if (byte < 0x80) {
      AppendCharacter(out, byte);
      ++pos;
      continue;
    }
    const Decoded decoded = DecodeUtf8(bytes, pos);
    if (decoded.length > 0) {
      AppendCharacter(out, decoded.code);
      pos += decoded.length;
    } else {
      AppendCharacter(out, byte);  // Latin-1
      ++pos;
    }
  }
}

std::string HtmlText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  AppendHtmlText(out, bytes);
  return out;
}

std::string GroupedNumber(int64_t value) {
  // Digits of the magnitude, computed unsigned so INT64_MIN has one.
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string digits;
  do {
    if (digits.size() % 4 == 3) digits += ',';
    digits += static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude > 0);
  if (value < 0) digits += '-';
  return {digits.rbegin(), digits.rend()};
}

std::string Percentage(double fraction) {
  if (!std::isfinite(fraction)) return "\u2013";
  // Tenths of a percent, rounded, as a whole number: no locale, no buffer.
  const double tenths = std::round(fraction * 1000.0);
  if (std::fabs(tenths) >= 1e17) return "\u2013";
  const auto whole = static_cast<int64_t>(tenths);
  const int64_t magnitude = whole < 0 ? -whole : whole;
  return (whole < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." +
         std::to_string(magnitude % 10) + "\u00A0%";
}

}  // namespace qxqy::crosscheck::site
