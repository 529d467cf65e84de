#ifndef TOOLS_DEMO_SPLITMIX64_H
#define TOOLS_DEMO_SPLITMIX64_H

#include <cstdint>

// A small seeded generator (Steele, Lea and Flood's SplitMix64). The demo
// data must be the same bytes on every machine and every run, which rules
// out the standard library's distributions and random_device.
class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    state_ += 0x9E3779B97F4A7C15ULL;
    return mix(state_);
  }

  // A number in [0, bound); bound must be positive. The tiny bias of the
  // multiply-shift reduction does not matter for demo data.
  std::uint64_t below(std::uint64_t bound) {
    return static_cast<std::uint64_t>(
        (static_cast<unsigned __int128>(next()) * bound) >> 64);
  }

  // A number in [0, 1) with 53 significant bits.
  double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

  // The finaliser alone: a bijection on 64 bits, so distinct inputs always
  // give distinct outputs.
  static std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

 private:
  std::uint64_t state_;
};

#endif
