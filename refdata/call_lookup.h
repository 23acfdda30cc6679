// The district suggestion for the call being entered, taken from the
// call-sign list (lines CALL=DISTRICT).
#pragma once

#include <string>
#include <string_view>

#include "base/string_list.h"

namespace qxqy {

// Sets `suggestion` to the district of the last line of `call_districts`
// that names `call`, and only when `lookup_country` is a home country
// (IsHomeCountry). A line names the call when, trimmed of characters 0 to 32
// at both ends, its text before the first "=" equals `call` byte for byte;
// the district is the rest of the trimmed line after that "=". An empty call
// names no line. When nothing matches, `suggestion` keeps its content.
void LookupDistrict(const StringList& call_districts, std::string_view lookup_country,
                    std::string_view call, std::string& suggestion);

}  // namespace qxqy
