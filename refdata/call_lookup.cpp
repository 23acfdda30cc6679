#include "refdata/call_lookup.h"

#include "base/text.h"
#include "refdata/home_country.h"

namespace qxqy {

void LookupDistrict(const StringList& call_districts, std::string_view lookup_country,
                    std::string_view call, std::string& suggestion) {
  if (!IsHomeCountry(lookup_country)) return;
  // An empty call occurs in no line, and a name ends at the first "=", so a
  // call holding "=" equals no name.
  if (call.empty() || call.find('=') != std::string_view::npos) return;
  // A line whose name equals the call also holds the call as a substring, so
  // the name test alone decides: the trimmed line must be the call followed
  // by "=". Every line is examined; the last match wins.
  for (const std::string& line : call_districts.Lines()) {
    const std::string_view trimmed = TrimView(line);
    if (trimmed.size() <= call.size() || trimmed[call.size()] != '=') continue;
    if (trimmed.compare(0, call.size(), call) != 0) continue;
    suggestion.assign(trimmed.substr(call.size() + 1));
  }
}

}  // namespace qxqy
