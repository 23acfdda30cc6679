// The contest's nine bands: their edges in kHz, their labels as the host
// writes them ("1.8" ... "28") and their names in ADIF ("160m" ... "10m").
// This is the one table every reader maps a frequency or a band name through.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qxqy::logfile {

struct Band {
  std::string_view label;      // as the host writes it: "14"
  std::string_view adif_name;  // ADIF BAND value: "20m"
  int64_t low_hz;              // lower edge, inclusive
  int64_t high_hz;             // upper edge, inclusive
};

// The bands in ascending order of frequency.
const Band* Bands();
inline constexpr int kBandCount = 9;

// The band index (0 to 8) whose edges hold `hz`, or nullopt outside every band.
std::optional<uint8_t> BandOfHertz(int64_t hz);

// The band index named `name` in ADIF ("20m", letter case ignored), or nullopt.
std::optional<uint8_t> BandOfAdifName(std::string_view name);

// A decimal number of `unit_hz` units ("14025", "14.025", "7025.5") in Hz;
// nullopt for anything that is not a plain non-negative decimal or that is
// beyond 10^12 Hz.
std::optional<int64_t> ParseFrequency(std::string_view text, int64_t unit_hz);

inline constexpr int64_t kKilohertz = 1000;
inline constexpr int64_t kMegahertz = 1000000;

}  // namespace qxqy::logfile
