#include "logfile/contact_fields.h"

#include "logfile/wpx_prefix.h"

namespace qxqy::logfile {
namespace {

constexpr std::string_view kHomeCountries[] = {"QX", "QY"};

}  // namespace

std::string CountryOfCall(std::string_view call, const CallParts& parts, std::string_view wpx,
                          const CountryFile* countries) {
  if (countries != nullptr) {
    const CountryFile::Entity* entity = countries->Lookup(call, parts);
    return entity != nullptr ? entity->primary_prefix : std::string();
  }
  for (std::string_view home : kHomeCountries) {
    if (wpx.substr(0, home.size()) == home) return std::string(home);
  }
  return std::string();
}

std::string_view GroupOfCountry(std::string_view country) {
  for (std::string_view home : kHomeCountries) {
    if (country == home) return home;
  }
  return "DX";
}

KeptFields::KeptFields(std::string_view wpx, std::string_view country) {
  if (wpx.size() > kMaxSize || country.size() > kMaxSize) return;
  wpx_size_ = static_cast<uint8_t>(wpx.size());
  wpx.copy(wpx_.data(), wpx.size());
  country_size_ = static_cast<uint8_t>(country.size());
  country.copy(country_.data(), country.size());
}

DerivedFields DeriveFields(std::string_view call, std::string_view log_prefix,
                           const CountryFile* countries) {
  const CallParts parts = SplitCall(call);
  DerivedFields fields;
  fields.wpx = log_prefix.empty() ? WpxPrefix(parts) : std::string(log_prefix);
  fields.country = CountryOfCall(call, parts, fields.wpx, countries);
  fields.group = std::string(GroupOfCountry(fields.country));
  return fields;
}

}  // namespace qxqy::logfile
