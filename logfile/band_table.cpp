#include "logfile/band_table.h"

#include <algorithm>
#include <array>

#include "base/text.h"

namespace qxqy::logfile {
namespace {

// Edges as in the ADIF band enumeration, inclusive at both ends.
constexpr std::array<Band, kBandCount> kBands = {{
    {"1.8", "160m", 1800000, 2000000},
    {"3.5", "80m", 3500000, 4000000},
    {"7", "40m", 7000000, 7300000},
    {"10", "30m", 10100000, 10150000},
    {"14", "20m", 14000000, 14350000},
    {"18", "17m", 18068000, 18168000},
    {"21", "15m", 21000000, 21450000},
    {"24", "12m", 24890000, 24990000},
    {"28", "10m", 28000000, 29700000},
}};

constexpr int64_t kHighestFrequencyHz = 1000000000000;  // 1 THz

// The index of the first band `matches`, or nullopt when none does.
template <typename Predicate>
std::optional<uint8_t> FindBand(Predicate matches) {
  const auto found = std::find_if(kBands.begin(), kBands.end(), matches);
  if (found == kBands.end()) return std::nullopt;
  return static_cast<uint8_t>(found - kBands.begin());
}

}  // namespace

const Band* Bands() { return kBands.data(); }

std::optional<uint8_t> BandOfHertz(int64_t hz) {
  return FindBand([hz](const Band& band) { return hz >= band.low_hz && hz <= band.high_hz; });
}

std::optional<uint8_t> BandOfAdifName(std::string_view name) {
  return FindBand([name](const Band& band) { return SameIgnoringAsciiCase(band.adif_name, name); });
}

std::optional<int64_t> ParseFrequency(std::string_view text, int64_t unit_hz) {
  if (text.empty()) return std::nullopt;
  int64_t whole = 0;
  size_t i = 0;
  for (; i < text.size() && text[i] != '.'; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    whole = whole * 10 + (text[i] - '0');
    if (whole * unit_hz > kHighestFrequencyHz) return std::nullopt;
  }
  int64_t hz = whole * unit_hz;
  if (i < text.size()) {  // the fraction, to the last whole Hz
    if (i + 1 == text.size() && i == 0) return std::nullopt;
    int64_t scale = unit_hz;
    for (++i; i < text.size(); ++i) {
      if (text[i] < '0' || text[i] > '9') return std::nullopt;
      scale /= 10;
      hz += (text[i] - '0') * scale;
    }
  }
  return hz;
}

}  // namespace qxqy::logfile
