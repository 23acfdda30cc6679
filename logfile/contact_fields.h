// The fields the host would have passed with a contact, derived from its
// call where a log file does not carry them:
// - the WPX prefix: the log's own (ADIF PFX) when it has one, else WpxPrefix;
// - the country: the primary prefix of the call's entity in the country
//   file; without a file, QX or QY when the WPX prefix starts with it, else
//   unknown (empty);
// - the group: the country when it is QX or QY, else "DX" (the checker's
//   rule: the host passes whatever its own settings say).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "logfile/country_file.h"

namespace qxqy::logfile {

struct DerivedFields {
  std::string wpx;
  std::string country;  // empty when unknown
  std::string group;
};

// A contact's WPX prefix and country as derived once, kept in 16 bytes for
// scoring the same contact again: held when each has at most 7 characters,
// as nearly all have; a contact whose fields are not held has them derived
// again.
class KeptFields {
 public:
  KeptFields() = default;  // holds nothing
  KeptFields(std::string_view wpx, std::string_view country);
  bool held() const { return wpx_size_ != kNone; }
  std::string_view wpx() const { return {wpx_.data(), held() ? wpx_size_ : size_t{0}}; }
  std::string_view country() const { return {country_.data(), country_size_}; }

 private:
  static constexpr size_t kMaxSize = 7;
  static constexpr uint8_t kNone = 0xFF;
  uint8_t wpx_size_ = kNone;
  std::array<char, kMaxSize> wpx_{};
  uint8_t country_size_ = 0;
  std::array<char, kMaxSize> country_{};
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
std::string_view GroupOfCountry(std::string_view country);

}  // namespace qxqy::logfile
