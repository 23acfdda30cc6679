// Text from submitted logs on a page: whatever bytes a log holds, the page
// shows them as text (never as markup) and stays valid UTF-8.
#include "crosscheck/site/html_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace qxqy::crosscheck::site {
namespace {

// Whether `text` is well-formed UTF-8 (no overlong form, no surrogate).
bool IsUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80                    ? 1
                    : lead >= 0xC2 && lead <= 0xDF ? 2
                    : lead >= 0xE0 && lead <= 0xEF ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                   : 0;
    if (length == 0 || i + length > text.size()) return false;
    uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    const uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < minimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return false;
    }
    i += length;
  }
  return true;
}

TEST(HtmlText, EscapesMarkupAndShowsEveryByteAsText) {
  struct Case {
    std::string bytes;
    std::string html;
  };
  const Case cases[] = {
      {"QX1ABC", "QX1ABC"},
      {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"a&b", "a&amp;b"},
      {"&amp;", "&amp;amp;"},
      {"\"x\" 'y'", "&quot;x&quot; &#39;y&#39;"},
      {"a\tb\nc\r", "a\tb\nc\r"},
      {std::string("\x00", 1), "\u2400"},
      {"\x01\x1b", "\u2401\u241b"},
      {"\x7f", "\u2421"},
      {"\xe9t\xe9", "\u00e9t\u00e9"},          // Latin-1
      {"\xc3\xa9t\xc3\xa9", "\u00e9t\u00e9"},  // UTF-8 kept
      {"\xe2\x82\xac", "\u20ac"},              // a three-byte character
      {"\xf0\x9f\x93\xbb", "\U0001F4FB"},      // a four-byte character
      {"\xc0\xaf", "\u00c0\u00af"},            // overlong '/': two Latin-1 bytes
      {"\xed\xa0\x80", "\u00ed\u00a0\ufffd"},  // a surrogate is not UTF-8
      {"\xe2\x82", "\u00e2\ufffd"},            // cut short at the end
      {"\x85", "\ufffd"},                      // a C1 control
      {"\xc2\x85", "\ufffd"},                  // the same in UTF-8
      {"QX1\xe2\x80\xae"
       "CBA",
       "QX1\ufffdCBA"},              // right-to-left override
      {"\xe2\x81\xa6x", "\ufffdx"},  // left-to-right isolate
      {"\xff\xfe", "\u00ff\u00fe"},
      // Plain runs between other characters, broken sequences inside text.
      {"QX\xc3\xa9<1>\xe2\x82 x\x85y", "QX\u00e9&lt;1&gt;\u00e2\ufffd x\ufffdy"},
      {"a\xe2\x82\xac"
       "b&c\xf0\x9f\x93"
       "d",
       "a\u20acb&amp;c\u00f0\ufffd\ufffdd"},
      {"\t\xe9\n\x01\r'", "\t\u00e9\n\u2401\r&#39;"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HtmlText(c.bytes), c.html) << "bytes: " << ::testing::PrintToString(c.bytes);
  }
}

TEST(HtmlText, AnyBytesGiveValidUtf8WithoutMarkup) {
  std::string every_byte;
  for (int byte = 0; byte < 256; ++byte) every_byte += static_cast<char>(byte);
  std::mt19937 random(7);
  std::vector<std::string> inputs = {every_byte};
  for (int i = 0; i < 2000; ++i) {
    std::string bytes(random() % 12, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 256);
    inputs.push_back(bytes);
  }
  for (const std::string& bytes : inputs) {
    const std::string html = HtmlText(bytes);
    EXPECT_TRUE(IsUtf8(html)) << ::testing::PrintToString(bytes);
    EXPECT_EQ(html.find_first_of("<>\"'"), std::string::npos) << ::testing::PrintToString(bytes);
    for (size_t at = html.find('&'); at != std::string::npos; at = html.find('&', at + 1)) {
      const std::string entity = html.substr(at, html.find(';', at) - at + 1);
      EXPECT_TRUE(entity == "&amp;" || entity == "&lt;" || entity == "&gt;" || entity == "&quot;" ||
                  entity == "&#39;")
          << entity << " in " << ::testing::PrintToString(bytes);
    }
  }
}

// A character is never more than one ASCII byte, so text cut after one
// is escaped as its two parts are: what the copying of plain runs relies on.
TEST(HtmlText, TextCutAfterAnAsciiByteEscapesAsItsParts) {
  const char alphabet[] = {'a',    'Z',    ' ',    '<',    '&',    '\'',   '\n',
                           '\x01', '\x7f', '\x80', '\x85', '\xa9', '\xc3', '\xe2',
                           '\x82', '\xac', '\xf0', '\x9f', '\xff'};
  std::mt19937 random(11);
  for (int i = 0; i < 5000; ++i) {
    std::string bytes(random() % 16, '\0');
    for (char& c : bytes) c = alphabet[random() % sizeof alphabet];
    for (size_t cut = 1; cut <= bytes.size(); ++cut) {
      if (static_cast<unsigned char>(bytes[cut - 1]) >= 0x80) continue;
      EXPECT_EQ(HtmlText(bytes), HtmlText(bytes.substr(0, cut)) + HtmlText(bytes.substr(cut)))
          << ::testing::PrintToString(bytes) << " cut at " << cut;
    }
  }
}

TEST(HtmlText, NumbersAndRates) {
  const std::pair<int64_t, std::string> numbers[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1,000"},
      {1356288, "1,356,288"},
      {-1234567, "-1,234,567"},
      {std::numeric_limits<int64_t>::min(), "-9,223,372,036,854,775,808"},
  };
  for (const auto& [value, text] : numbers) EXPECT_EQ(GroupedNumber(value), text) << value;

  const std::pair<double, std::string> rates[] = {
      {0.0, "0.0\u00a0%"},
      {0.0243, "2.4\u00a0%"},
      {1.0, "100.0\u00a0%"},
      {std::nan(""), "\u2013"},
      {std::numeric_limits<double>::infinity(), "\u2013"},
  };
  for (const auto& [value, text] : rates) EXPECT_EQ(Percentage(value), text) << value;
}

}  // namespace
}  // namespace qxqy::crosscheck::site
