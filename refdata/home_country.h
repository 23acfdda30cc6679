// The contest's home countries, QX and QY.
#pragma once

#include <string_view>

namespace qxqy {

// True when ":" + X + ":" occurs in ":QX:QY:", X being `country` upper-cased
// (a to z only) and trimmed of characters 0 to 32. The test is a plain
// substring test, so a lower-case or blank-padded "qx " counts, an empty
// country never does.
bool IsHomeCountry(std::string_view country);

}  // namespace qxqy
