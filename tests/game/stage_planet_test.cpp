// The planet each stage builds: its stage's kind and seed, lit from (0.39, 0.39) unless the kind
// fixes its own light, with the pixel count and dither switch of the output mode.
#include <gtest/gtest.h>

#include "game/run.h"

namespace ventora {
namespace {

TEST(StagePlanet, LightOriginPixelsAndDitherForEveryStage) {
  using K = planet::PlanetKind;
  struct Case {
    std::uint64_t stage;
    K kind;
    planet::Vec2f light;
  };
  const Case cases[] = {
      {1, K::RiverPlanet, {0.39f, 0.39f}}, {2, K::IslandPlanet, {0.39f, 0.39f}},
      {3, K::GasGiant, {0.25f, 0.25f}},  // the gas giant's own light
      {4, K::IcePlanet, {0.39f, 0.39f}},   {5, K::LavaPlanet, {0.39f, 0.39f}},
      {6, K::IslandPlanet, {0.39f, 0.39f}},
  };
  RenderSettings og;
  og.mode = OutputMode::Og;
  og.planet_pixels = 180.4f;
  og.planet_dither = false;
  for (const Case& c : cases) {
    SCOPED_TRACE("stage " + std::to_string(c.stage));
    const planet::Planet hd = make_stage_planet(c.stage, RenderSettings{});
    EXPECT_EQ(hd.kind, c.kind);
    EXPECT_EQ(hd.seed, stage_info(c.stage).seed);
    EXPECT_EQ(hd.light_origin, c.light);
    EXPECT_EQ(hd.pixels, 110u);
    EXPECT_TRUE(hd.should_dither);
    EXPECT_EQ(hd.time, 0.0f);
    const planet::Planet plain = make_stage_planet(c.stage, og);
    EXPECT_EQ(plain.light_origin, c.light);
    EXPECT_EQ(plain.pixels, 180u);
    EXPECT_FALSE(plain.should_dither);
  }
  // A new run's first planet is stage 1's.
  Pcg32 rng;
  const GameState state = start_run(rng, {1765000000, 123456700}, OutputMode::Hd720);
  ASSERT_TRUE(state.planet.has_value());
  EXPECT_EQ(state.planet->light_origin, (planet::Vec2f{0.39f, 0.39f}));
  EXPECT_EQ(state.planet->seed, 1234567890123466796ull);
}

}  // namespace
}  // namespace ventora
