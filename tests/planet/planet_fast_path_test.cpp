// The art-pixel fast path gives the direct path's picture for every kind at the 720p and 1080p
// square sizes; differences may only come from float rounding on art-pixel boundaries.
#include "gl_fixture.h"

namespace planet::test {
namespace {

using FastPathTest = GlTest;

TEST_F(FastPathTest, SamePictureAsTheDirectPath) {
  PlanetPainter painter;
  for (int side : {440, 660}) {
    for (int k = 0; k < kPlanetKindCount; ++k) {
      const auto kind = static_cast<PlanetKind>(k);
      SCOPED_TRACE(std::string(kind_name(kind)) + " at " + std::to_string(side));
      Planet planet = make_planet(kind, 110, 1234567890123466796ull + static_cast<unsigned>(k), 2.25f);
      planet.rotation += 0.3f;
      const Image direct = render_planet(painter, planet, side, false, -0.7f);
      const Image fast = render_planet(painter, planet, side, true, -0.7f);
      int differing = 0, drawn = 0;
      for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
          drawn += direct.drawn(x, y) ? 1 : 0;
          differing += direct.at(x, y) == fast.at(x, y) ? 0 : 1;
        }
      }
      EXPECT_GT(drawn, side * side / 50);
      EXPECT_LT(differing, side * side / 200) << differing << " of " << side * side << " differ";
    }
  }
}

// A translucent palette colour would make a layer's alpha fractional, which the art target cannot
// carry exactly: such layers take the direct path.
TEST_F(FastPathTest, TranslucentColoursStayExact) {
  PlanetPainter painter;
  Planet planet = make_planet(PlanetKind::IslandPlanet, 16);
  for (Rgba8& c : planet.colors) c.a = 128;
  const float side = 64;
  OffscreenTarget target(64, 64);
  const auto projection = pixel_projection(side, side);
  std::vector<std::uint8_t> pictures[2];
  for (bool fast : {false, true}) {
    target.clear(0.1f, 0.2f, 0.3f, 1.0f);
    if (fast) {
      painter.draw_planet(planet, 0, 0, side, side, 0, projection.data());
    } else {
      painter.draw_planet_direct(planet, 0, 0, side, side, 0, projection.data());
    }
    pictures[fast ? 1 : 0] = target.read();
  }
  EXPECT_EQ(pictures[0], pictures[1]);
}

}  // namespace
}  // namespace planet::test
