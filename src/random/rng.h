// The PCG32 (XSH-RR) generator. The process keeps one, beside its frame loop, and hands it to
// everything that draws: the offers, the reseed, the confetti and the music playlist. Their draws
// interleave in the order they happen, which replays depend on.
#pragma once

#include <cstdint>

namespace ventora {

// One PCG32 XSH-RR stream: 64-bit state, 32-bit output. A process starts at state 0, and so does
// a replay.
struct Pcg32 {
  static constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
  static constexpr std::uint64_t kIncrement = 1442695040888963407ULL;

  std::uint64_t state = 0;

  // `rand`: the next 32-bit output.
  std::uint32_t next() {
    const std::uint64_t old = state;
    state = old * kMultiplier + kIncrement;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18) ^ old) >> 27);
    const auto rot = static_cast<std::uint32_t>(old >> 59);
    return (xorshifted >> rot) | (xorshifted << ((32 - rot) & 31));
  }

  // `srand`.
  void seed(std::uint64_t seed) {
    state = 0;
    state = state * kMultiplier + kIncrement;
    state += seed;
    state = state * kMultiplier + kIncrement;
  }

  // A uniform number in [0, 1): the next output divided by 2^32.
  double uniform() { return next() / 4294967296.0; }
};

}  // namespace ventora
