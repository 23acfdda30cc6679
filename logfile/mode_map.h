// One canonical text per mode, so that a repeat is the same contact whichever
// format logged it: "CW", "SSB" (every phone mode), "FM", "RTTY" or "DIG".
#pragma once

#include <optional>
#include <string_view>

namespace qxqy::logfile {

// Cabrillo's mode codes CW, PH, FM, RY, DG (letter case ignored) as
// "CW", "SSB", "FM", "RTTY", "DIG"; nullopt for any other code.
std::optional<std::string_view> ModeOfCabrillo(std::string_view code);

// ADIF's MODE: CW, SSB, FM and RTTY kept (upper case); USB, LSB and AM
// "SSB" (phone, as Cabrillo's PH: many loggers write the sideband as the
// mode); every other non-empty mode "DIG"; nullopt for an empty one.
std::optional<std::string_view> ModeOfAdif(std::string_view mode);

// The canonical texts, for storing a mode as a small number.
inline constexpr std::string_view kModes[] = {"CW", "SSB", "FM", "RTTY", "DIG"};
inline constexpr int kModeCount = 5;
// The index of a canonical text in kModes.
int ModeIndex(std::string_view canonical);

}  // namespace qxqy::logfile
