// Seeding a run: the wall clock read once at the start and spread into the generator's seed.
#pragma once

#include <cstdint>
#include <functional>

#include "random/rng.h"

namespace ventora {

struct GameState;

// Time since 1970-01-01 UTC as whole seconds and nanoseconds (100-ns resolution is enough).
struct ClockReading {
  std::int64_t seconds = 0;
  std::uint32_t nanoseconds = 0;
};

ClockReading read_system_clock();

// Where a run reads the clock: the system's in play; a replay records and feeds back its readings.
using ClockSource = std::function<ClockReading()>;

// Seeds `rng` from the clock and draws the run's reseed quota (9..12) from it.
void seed_run_from_clock(GameState& state, Pcg32& rng, ClockReading clock);

}  // namespace ventora
