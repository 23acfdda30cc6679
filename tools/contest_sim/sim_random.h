// The simulator's random source: xoshiro256** seeded through splitmix64,
// with its own integer and probability draws, so that a seed gives the same
// contest with every compiler and standard library (the standard
// distributions are not specified bit for bit).
#pragma once

#include <cstdint>

namespace qxqy::contest_sim {

class SimRandom {
 public:
  explicit SimRandom(uint64_t seed) {
    for (uint64_t& word : state_) word = SplitMix(seed);
  }

  uint64_t Next() {
    const uint64_t result = RotateLeft(state_[1] * 5, 7) * 9;
    const uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = RotateLeft(state_[3], 45);
    return result;
  }

  // A whole number in [0, bound); 0 when bound is 0.
  uint32_t Below(uint32_t bound) {
    return static_cast<uint32_t>(((Next() >> 32) * static_cast<uint64_t>(bound)) >> 32);
  }

  // A whole number in [low, high].
  int Between(int low, int high) {
    return low + static_cast<int>(Below(static_cast<uint32_t>(high - low + 1)));
  }

  // A number in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

  // True with probability `p`.
  bool Chance(double p) { return Unit() < p; }

 private:
  static uint64_t RotateLeft(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  static uint64_t SplitMix(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  uint64_t state_[4];
};

}  // namespace qxqy::contest_sim
