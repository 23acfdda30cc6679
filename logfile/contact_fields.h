// The fields the host would have passed with a contact, derived from its
// call where a log file does not carry them:
// - the WPX prefix: the log's own (ADIF PFX) when it has one, else WpxPrefix;
// - the country: the primary prefix of the call's entity in the country
//   file; without a file, QX or QY when the WPX prefix starts with it, else
//   unknown (empty);
// - the group: the country when it is QX or QY, else "DX" (the checker's
//   rule: the host passes whatever its own settings say).
#pragma once

#include <string>
#include <string_view>

#include "logfile/country_file.h"

namespace qxqy::logfile {

struct DerivedFields {
  std::string wpx;
  std::string country;  // empty when unknown
  std::string group;
};

// `call` and `log_prefix` are upper case and trimmed; `countries` may be
// null (the built-in rule).
DerivedFields DeriveFields(std::string_view call, std::string_view log_prefix,
                           const CountryFile* countries);

// The country of `call` (taken apart as `parts`) with WPX prefix `wpx`
// (see above), empty when unknown.
std::string CountryOfCall(std::string_view call, const CallParts& parts, std::string_view wpx,
                          const CountryFile* countries);

// "QX" or "QY" for those countries, "DX" for every other (and unknown) one.
std::string GroupOfCountry(std::string_view country);

}  // namespace qxqy::logfile
