// The art-pixel fast path gives the direct path's picture for every kind at the 720p and 1080p
// square sizes; differences may only come from float rounding on art-pixel boundaries.
#include <cmath>

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

// Over a backdrop, the art path copies the inside of the round body without the backdrop when
// the first layers' material says it fills the body. Each such layer alone, drawn at its art size
// (a pixel per art texel), must be opaque there, at several spins and times.
TEST_F(FastPathTest, LayersThatFillTheBodyAreOpaqueInsideIt) {
  PlanetPainter painter;
  int checked = 0;
  for (int k = 0; k < kPlanetKindCount; ++k) {
    const auto kind = static_cast<PlanetKind>(k);
    for (const float spin : {0.0f, 2.1f}) {
      Planet planet = make_planet(kind, 64, 987654321ull + static_cast<unsigned>(k), 1.5f + spin);
      for (const LayerDraw& draw : layer_draws(planet, spin)) {
        const MaterialInfo& info = material_info(draw.material);
        if (!info.fills_body) continue;
        SCOPED_TRACE(std::string(kind_name(kind)) + " " + std::string(info.name));
        const int n = static_cast<int>(draw.art_pixels);
        const float side = static_cast<float>(n);
        const Image image = render_layers(painter, {draw}, n, n, 0, 0, side, side);
        int missing = 0;
        for (int y = 0; y < n; ++y) {
          for (int x = 0; x < n; ++x) {
            // The texel's corner, in art texels from the centre, as far as the painter relies on.
            const double corner = std::hypot(x - n / 2.0, y - n / 2.0) / n;
            if (corner <= 0.49 && image.at(x, y).a != 255) ++missing;
          }
        }
        EXPECT_EQ(missing, 0);
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace planet::test
