// The time of a contact as one number that sorts as the time does:
// YYYYMMDDhhmmss. A date that does not exist in the Gregorian calendar
// (2026-02-30, 2100-02-29) or a time past 2359 gives no key.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qxqy::logfile {

// Cabrillo's date "YYYY-MM-DD" and time "hhmm".
std::optional<int64_t> CabrilloTimeKey(std::string_view date, std::string_view time);

// ADIF's QSO_DATE "YYYYMMDD" and TIME_ON "hhmm" or "hhmmss".
std::optional<int64_t> AdifTimeKey(std::string_view date, std::string_view time);

}  // namespace qxqy::logfile
