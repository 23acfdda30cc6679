// Text from submitted logs made safe to put into an HTML page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qxqy::crosscheck::site {

// `bytes` as HTML text, safe in element content and in quoted attribute
// values: & < > " ' become character references; valid UTF-8 stays as it
// is and every other byte is read as Latin-1 (so the output is always valid
// UTF-8); control characters other than tab and line ends are shown as
// their visible control pictures (U+2400 block), and the C1 controls and the
// characters that reorder text direction as U+FFFD, so a hostile call
// cannot hide or disguise itself.
std::string HtmlText(std::string_view bytes);

// Appends HtmlText(bytes) to `out`.
void AppendHtmlText(std::string& out, std::string_view bytes);

// A whole number with its thousands grouped by commas: "1,234,567".
std::string GroupedNumber(int64_t value);

// A fraction as a percentage with one decimal: 0.0243 gives "2.4 %"; a
// value that is not a number gives "–".
std::string Percentage(double fraction);

}  // namespace qxqy::crosscheck::site
