// Every band at both its edges, to the hertz, in kHz (Cabrillo) and MHz
// (ADIF), and the frequency reader's limits.
#include "logfile/band_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace qxqy::logfile {
namespace {

std::string LabelOf(const std::string& text, int64_t unit_hz) {
  const auto hz = ParseFrequency(text, unit_hz);
  if (!hz) return "unreadable";
  const auto band = BandOfHertz(*hz);
  return band ? std::string(Bands()[*band].label) : "outside";
}

TEST(BandTableEdgesTest, HoldsEachBandFromItsLowEdgeToItsHighEdgeToTheHertz) {
  struct Edges {
    const char* label;
    const char* below_khz;  // 1 Hz below the low edge
    const char* low_khz;
    const char* high_khz;
    const char* above_khz;  // 1 Hz above the high edge
    const char* low_mhz;
    const char* high_mhz;
  };
  const Edges bands[] = {
      {"1.8", "1799.999", "1800", "2000", "2000.001", "1.8", "2.0"},
      {"3.5", "3499.999", "3500", "4000", "4000.001", "3.5", "4"},
      {"7", "6999.999", "7000", "7300", "7300.001", "7.000", "7.3"},
      {"10", "10099.999", "10100", "10150", "10150.001", "10.1", "10.15"},
      {"14", "13999.999", "14000", "14350", "14350.001", "14", "14.350"},
      {"18", "18067.999", "18068", "18168", "18168.001", "18.068", "18.168"},
      {"21", "20999.999", "21000", "21450", "21450.001", "21", "21.45"},
      {"24", "24889.999", "24890", "24990", "24990.001", "24.89", "24.99"},
      {"28", "27999.999", "28000", "29700", "29700.001", "28", "29.7"},
  };
  for (const Edges& band : bands) {
    EXPECT_EQ(LabelOf(band.below_khz, kKilohertz), "outside") << band.below_khz;
    EXPECT_EQ(LabelOf(band.low_khz, kKilohertz), band.label) << band.low_khz;
    EXPECT_EQ(LabelOf(band.high_khz, kKilohertz), band.label) << band.high_khz;
    EXPECT_EQ(LabelOf(band.above_khz, kKilohertz), "outside") << band.above_khz;
    EXPECT_EQ(LabelOf(band.low_mhz, kMegahertz), band.label) << band.low_mhz << " MHz";
    EXPECT_EQ(LabelOf(band.high_mhz, kMegahertz), band.label) << band.high_mhz << " MHz";
  }
  EXPECT_EQ(BandOfHertz(0), std::nullopt);
  EXPECT_EQ(BandOfHertz(-1), std::nullopt);
}

TEST(BandTableEdgesTest, ReadsFrequenciesUpToOneTerahertz) {
  const std::pair<std::string, std::optional<int64_t>> kilohertz[] = {
      {"1000000000", 1000000000000},  // 1 THz exactly
      {"1000000001", std::nullopt},
      {"0", 0},
      {"0.001", 1},
      {"0.0009", 0},  // below 1 Hz is dropped
      {"7.", 7000},
      {"007", 7000},
      {"7.25", 7250},
      {"7,25", std::nullopt},
      {"7.2.5", std::nullopt},
      {"7.-2", std::nullopt},
      {" 7", std::nullopt},
      {"/7", std::nullopt},
      {":7", std::nullopt},
      {"7.:", std::nullopt},
      {"7./", std::nullopt},
  };
  for (const auto& [text, hz] : kilohertz) {
    EXPECT_EQ(ParseFrequency(text, kKilohertz), hz) << text << " kHz";
  }
  EXPECT_EQ(ParseFrequency("1000000", kMegahertz), 1000000000000);
  EXPECT_EQ(ParseFrequency("1000001", kMegahertz), std::nullopt);
  EXPECT_EQ(ParseFrequency("0.000001", kMegahertz), 1);
  EXPECT_EQ(ParseFrequency("9.9999999", kMegahertz), 9999999);
}

}  // namespace
}  // namespace qxqy::logfile
