// The nine contest bands, numbered 1 to 9, as the band buttons, the stored
// "CurrentBand" value and the band following use them.
#pragma once

#include <array>
#include <string_view>

namespace qxqy {

inline constexpr int kFirstBand = 1;
inline constexpr int kLastBand = 9;

// BandNames[i] is the label of band i, for i = 1 to 9; entry 0 is unused.
inline constexpr std::array<std::string_view, 10> BandNames = {"",   "1.8", "3.5", "7",  "10",
                                                               "14", "18",  "21",  "24", "28"};

inline constexpr bool IsBandNumber(int band) { return band >= kFirstBand && band <= kLastBand; }

// The number of the band whose label equals `label` byte for byte, or 0.
inline int BandNumberOfLabel(std::string_view label) {
  for (int band = kFirstBand; band <= kLastBand; ++band) {
    if (BandNames[band] == label) return band;
  }
  return 0;
}

}  // namespace qxqy
