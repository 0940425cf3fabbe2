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
  gl::RenderTarget target;
  ASSERT_TRUE(target.resize(64, 64));
  const auto projection = pixel_projection(side, side);
  std::vector<std::uint8_t> pictures[2];
  for (bool fast : {false, true}) {
    clear_target(target, 0.1f, 0.2f, 0.3f, 1.0f);
    if (fast) {
      EXPECT_TRUE(succeeded(painter.draw_planet(planet, 0, 0, side, side, 0, projection.data())));
    } else {
      EXPECT_TRUE(
          succeeded(painter.draw_planet_direct(planet, 0, 0, side, side, 0, projection.data())));
    }
    pictures[fast ? 1 : 0] = read_top_down(target);
  }
  EXPECT_EQ(pictures[0], pictures[1]);
}

// Over a backdrop, the art path relies on two claims of a layer's material: that it keeps within
// the round body (the underlay alone is drawn beyond its reach) and that it fills the body (the
// art alone is copied inside it). Each layer that makes a claim is drawn alone at its art size, a
// pixel per art texel, for every kind at two spins and times, and `count_broken` counts the
// pixels that break the claim, given each pixel's corner distance from the centre in units of
// the target's side.
template <typename CountBroken>
int check_layer_claims(bool MaterialInfo::*claim, CountBroken count_broken) {
  PlanetPainter painter;
  int checked = 0;
  for (int k = 0; k < kPlanetKindCount; ++k) {
    const auto kind = static_cast<PlanetKind>(k);
    for (const float spin : {0.0f, 2.1f}) {
      Planet planet = make_planet(kind, 64, 987654321ull + static_cast<unsigned>(k), 1.5f + spin);
      for (const LayerDraw& draw : layer_draws(planet, spin)) {
        const MaterialInfo& info = material_info(draw.material);
        if (!(info.*claim)) continue;
        SCOPED_TRACE(std::string(kind_name(kind)) + " " + std::string(info.name));
        const int n = static_cast<int>(draw.art_pixels);
        const float side = static_cast<float>(n);
        const Image image = render_layers(painter, {draw}, n, n, 0, 0, side, side);
        int broken = 0;
        for (int y = 0; y < n; ++y) {
          for (int x = 0; x < n; ++x) {
            const double corner = std::hypot(x - n / 2.0, y - n / 2.0) / n;
            broken += count_broken(image.at(x, y), corner) ? 1 : 0;
          }
        }
        EXPECT_EQ(broken, 0);
        ++checked;
      }
    }
  }
  return checked;
}

TEST_F(FastPathTest, LayersThatFillTheBodyAreOpaqueInsideIt) {
  const int checked = check_layer_claims(&MaterialInfo::fills_body, [](Pixel p, double corner) {
    return corner <= 0.49 && p.a != 255;  // the margin the painter keeps inside the body
  });
  EXPECT_GT(checked, 0);
}

TEST_F(FastPathTest, LayersThatKeepWithinTheBodyAreTransparentOutsideIt) {
  const int checked = check_layer_claims(&MaterialInfo::within_body, [](Pixel p, double corner) {
    return corner >= 0.5 && p.a != 0;  // the painter keeps a wider margin still
  });
  EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace planet::test
