// The process-wide PCG32 (XSH-RR) generator shared by offers, the reseed, the confetti and the
// music playlist. Their draws interleave in the order they happen.
#pragma once

#include <cstdint>

namespace ventora::rng {

// One PCG32 XSH-RR stream: 64-bit state, 32-bit output.
struct Pcg32 {
  static constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
  static constexpr std::uint64_t kIncrement = 1442695040888963407ULL;

  std::uint64_t state = 0;

  std::uint32_t next() {
    const std::uint64_t old = state;
    state = old * kMultiplier + kIncrement;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18) ^ old) >> 27);
    const auto rot = static_cast<std::uint32_t>(old >> 59);
    return (xorshifted >> rot) | (xorshifted << ((32 - rot) & 31));
  }

  void seed(std::uint64_t seed) {
    state = 0;
    state = state * kMultiplier + kIncrement;
    state += seed;
    state = state * kMultiplier + kIncrement;
  }
};

// `rand`: the next 32-bit output of the shared generator.
std::uint32_t next();
// `srand`.
void seed(std::uint64_t seed);
// A uniform number in [0, 1): the next output divided by 2^32.
double uniform();
// Back to the state the process starts with (0); for tests, and for replays, which start there.
void reset();
// The shared generator's raw state; for tests that check which draws happened.
std::uint64_t state();

}  // namespace ventora::rng
