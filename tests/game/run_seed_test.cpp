#include "game/run_seed.h"

#include <gtest/gtest.h>

#include "game/game_state.h"
#include "random/rng.h"

namespace ventora {
namespace {

TEST(SeedRunFromClock, SpreadsTheClockAndDrawsTheQuota) {
  GameState state;
  Pcg32 rng;
  seed_run_from_clock(state, rng, {1765000000, 123456700});
  EXPECT_EQ(state.entropy_seed, 0xba9c130189e55b6cULL);
  EXPECT_EQ(state.entropy_quota, 12u);
}

TEST(SeedRunFromClock, SameTickSameSeed) {
  GameState a, b;
  Pcg32 rng_a, rng_b;
  rng_b.seed(99);  // wherever the generator stood, the clock alone decides
  seed_run_from_clock(a, rng_a, {1765000000, 500});
  seed_run_from_clock(b, rng_b, {1765000000, 500});
  EXPECT_EQ(a.entropy_seed, b.entropy_seed);
  EXPECT_EQ(rng_a.next(), rng_b.next());
}

TEST(SeedRunFromClock, BeforeNineteenSeventyGivesSeedZero) {
  GameState state;
  Pcg32 rng;
  seed_run_from_clock(state, rng, {-5, 0});
  EXPECT_EQ(state.entropy_seed, 0u);
  EXPECT_EQ(state.entropy_quota, 12u);  // srand(0) then one draw, worked out by hand
}

TEST(SeedRunFromClock, QuotaStaysWithinNineToTwelve) {
  for (std::int64_t s = 0; s < 200; ++s) {
    GameState state;
    Pcg32 rng;
    seed_run_from_clock(state, rng, {1700000000 + s * 7919, static_cast<std::uint32_t>(s * 100)});
    EXPECT_GE(state.entropy_quota, 9u);
    EXPECT_LE(state.entropy_quota, 12u);
  }
}

}  // namespace
}  // namespace ventora
