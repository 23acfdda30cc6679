// The text forms of window placement values in the settings store:
// integers as decimal text and rectangles as "left,top,right,bottom".
// Parsing is strict: surrounding blanks are allowed, anything else that is
// not part of the number makes the value unusable (nullopt), so garbage in
// the store is ignored rather than half-applied.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/graphics.h"

namespace qxqy {

std::optional<int> ParseInt(std::string_view text);
// Exactly four integers separated by commas.
std::optional<Rect> ParseRect(std::string_view text);
std::string FormatRect(const Rect& rect);

}  // namespace qxqy
