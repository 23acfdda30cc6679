#include "crosscheck/site/html_text.h"

#include <cmath>

#include "base/text.h"

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

// Whether ASCII byte `c` stands for itself in HTML text: printable, not
// markup. Tab and line ends too.
constexpr bool IsPlainAscii(unsigned char c) {
  return (c >= 0x20 && c < 0x7F && c != '&' && c != '<' && c != '>' && c != '"' && c != '\'') ||
         c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

void AppendHtmlText(std::string& out, std::string_view bytes) {
  // Runs of plain ASCII, most of any text, are copied whole; the rest is
  // read character by character.
  while (!bytes.empty()) {
    size_t plain = 0;
    while (plain < bytes.size() && IsPlainAscii(static_cast<unsigned char>(bytes[plain]))) ++plain;
    out.append(bytes.data(), plain);
    bytes.remove_prefix(plain);
    size_t other = 0;
    while (other < bytes.size() && !IsPlainAscii(static_cast<unsigned char>(bytes[other]))) {
      ++other;
    }
    ForEachCharacter(bytes.substr(0, other),
                     [&out](uint32_t code, std::string_view) { AppendCharacter(out, code); });
    bytes.remove_prefix(other);
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
