#include "game/run_seed.h"

#include <chrono>

#include "game/game_state.h"

namespace ventora {

namespace {
// Spreads consecutive clock ticks over the whole 64-bit seed space.
constexpr std::uint64_t kClockSpread = 0x9E3779B97F4A7C15ULL;
}  // namespace

ClockReading read_system_clock() {
  using namespace std::chrono;
  const auto since_epoch = system_clock::now().time_since_epoch();
  const auto ns = duration_cast<nanoseconds>(since_epoch).count();
  if (ns < 0) return {-1, 0};
  return {ns / 1000000000, static_cast<std::uint32_t>(ns % 1000000000)};
}

void seed_run_from_clock(GameState& state, Pcg32& rng, ClockReading clock) {
  std::uint64_t seed = 0;
  if (clock.seconds >= 0) {
    seed = (static_cast<std::uint64_t>(clock.seconds) * 1000000000ULL + clock.nanoseconds) *
           kClockSpread;
  }
  rng.seed(seed);
  state.entropy_seed = seed;
  state.entropy_quota = 9 + static_cast<std::uint64_t>(rng.uniform() * 4);
}

}  // namespace ventora
