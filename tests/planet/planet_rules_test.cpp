// Layer shaders against their rules, on small offscreen targets (one art pixel per target pixel).
#include <cmath>
#include <set>
#include <tuple>

#include "gl_fixture.h"

namespace planet::test {
namespace {

using RulesTest = GlTest;

constexpr int kSize = 64;

LayerDraw layer(const Planet& planet, std::size_t index, float spin = 0) {
  return layer_draws(planet, spin).at(index);
}

int drawn_count(const Image& image) {
  int n = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) n += image.drawn(x, y) ? 1 : 0;
  return n;
}

// Distance of art pixel (x, y) from the centre, as the shaders compute it.
float centre_distance(int x, int y, int pixels) {
  const float px = std::floor((static_cast<float>(x) + 0.5f) / static_cast<float>(pixels) * static_cast<float>(pixels)) / static_cast<float>(pixels);
  const float py = std::floor((static_cast<float>(y) + 0.5f) / static_cast<float>(pixels) * static_cast<float>(pixels)) / static_cast<float>(pixels);
  return std::hypot(px - 0.5f, py - 0.5f);
}

Image draw_one(PlanetPainter& painter, const LayerDraw& draw, int size = kSize) {
  const float side = static_cast<float>(size);
  return render_layers(painter, {draw}, size, size, 0, 0, side, side);
}

TEST_F(RulesTest, BlackHoleCoreRimAndEdge) {
  PlanetPainter painter;
  const int pixels = 100;
  const Planet hole = make_planet(PlanetKind::BlackHole, pixels);
  const Image image = draw_one(painter, layer(hole, 0), pixels);
  int checked = 0;
  for (int y = 0; y < pixels; ++y) {
    for (int x = 0; x < pixels; ++x) {
      const float d = centre_distance(x, y, pixels);
      // Pixels on a radius are decided by rounding; the rule is about the others.
      if (std::fabs(d - 0.35f) < 1e-4f || std::fabs(d - 0.375f) < 1e-4f || std::fabs(d - 0.4f) < 1e-4f) continue;
      const Pixel p = image.at(x, y);
      if (d > 0.4f) {
        ASSERT_EQ(p.a, 0) << x << "," << y;
      } else {
        const int entry = d <= 0.35f ? 0 : d <= 0.375f ? 1 : 2;
        ASSERT_EQ(p, to_pixel(hole.colors[entry])) << x << "," << y << " d=" << d;
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 9000);
}

TEST_F(RulesTest, CoverAndCutOffExtremes) {
  PlanetPainter painter;
  struct Case {
    PlanetKind kind;
    std::size_t layer;
    Uniform uniform;
    float value;
    bool whole_disc;  // else nothing
  };
  const Case cases[] = {
      {PlanetKind::RiverPlanet, 1, Uniform::CloudCover, 1.0f, false},
      {PlanetKind::RiverPlanet, 1, Uniform::CloudCover, 0.0f, true},
      {PlanetKind::DryPlanet, 0, Uniform::LandCutoff, 1.0f, false},
      {PlanetKind::DryPlanet, 0, Uniform::LandCutoff, 0.0f, true},
      {PlanetKind::LavaPlanet, 2, Uniform::RiverCutoff, 1.01f, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(kind_name(c.kind)) + " " + std::string(uniform_name(c.uniform)) + "=" +
                 std::to_string(c.value));
    LayerDraw draw = layer(make_planet(c.kind, kSize), c.layer);
    set_value(draw, c.uniform, c.value);
    const Image image = draw_one(painter, draw);
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const bool inside = centre_distance(x, y, kSize) <= 0.49999f;
        ASSERT_EQ(image.drawn(x, y), c.whole_disc && inside) << x << "," << y;
      }
    }
  }
  // At their own values clouds and lava rivers draw part of the disc (about 3200 pixels).
  for (auto [kind, index] : {std::pair{PlanetKind::RiverPlanet, 1u}, {PlanetKind::LavaPlanet, 2u}}) {
    const int n = drawn_count(draw_one(painter, layer(make_planet(kind, kSize), index)));
    EXPECT_GT(n, 0) << kind_name(kind);
    EXPECT_LT(n, 3000) << kind_name(kind);
  }
}

TEST_F(RulesTest, CloudsAndGasCloudsAgree) {
  PlanetPainter painter;
  LayerDraw gas = layer(make_planet(PlanetKind::GasGiant, kSize), 0);
  set_value(gas, Uniform::CloudCover, 0.45f);
  const Image lower = draw_one(painter, gas);
  gas.material = LayerMaterial::Clouds;
  const Image upper = draw_one(painter, gas);
  EXPECT_EQ(lower.rgba, upper.rgba);
  EXPECT_GT(drawn_count(lower), 0);
}

TEST_F(RulesTest, BandsStayLitNearACentredLight) {
  PlanetPainter painter;
  for (auto [kind, index] : {std::pair{PlanetKind::IslandPlanet, 0u}, {PlanetKind::CraterPlanet, 0u}}) {
    SCOPED_TRACE(std::string(kind_name(kind)));
    const Planet planet = make_planet(kind, kSize);
    LayerDraw draw = layer(planet, index);
    draw.find(Uniform::LightOrigin)->v = {0.5f, 0.5f};
    // d_light stays below 0.5 + 0.3 (centre distance plus noise), so neither border is passed.
    set_value(draw, Uniform::LightBorder1, 0.8f);
    set_value(draw, Uniform::LightBorder2, 0.8f);
    const Image image = draw_one(painter, draw);
    int drawn = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        if (!image.drawn(x, y)) continue;
        ++drawn;
        ASSERT_EQ(image.at(x, y), to_pixel(planet.colors[0])) << x << "," << y;
      }
    }
    EXPECT_GT(drawn, 2500);
  }
}

TEST_F(RulesTest, RingOnlyInTheLowerHalf) {
  PlanetPainter painter;
  // Spin cancels the ring's own 0.251 so the ring's frame is the square's.
  const Image image = draw_one(painter, layer(make_planet(PlanetKind::RingedGiant, kSize), 1, -0.251f));
  int lower = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (!image.drawn(x, y)) continue;
      ASSERT_GE(y, kSize / 2) << x << "," << y;
      ++lower;
    }
  }
  EXPECT_GT(lower, 10);
}

TEST_F(RulesTest, RectangleDrawsIntoItsCentredSquare) {
  PlanetPainter painter;
  const Planet gas = make_planet(PlanetKind::GasGiant, 100);
  for (bool art_path : {false, true}) {
    SCOPED_TRACE(art_path ? "art path" : "direct");
    const Image image = render_layers(painter, layer_draws(gas, 0), 320, 240, 10, 20, 300, 200, art_path);
    int min_x = 1000, max_x = -1, min_y = 1000, max_y = -1;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        if (!image.drawn(x, y)) continue;
        min_x = std::min(min_x, x);
        max_x = std::max(max_x, x);
        min_y = std::min(min_y, y);
        max_y = std::max(max_y, y);
      }
    }
    // The disc touches the square (60, 20, 200, 200) on every side, within an art pixel.
    EXPECT_GE(min_x, 60);
    EXPECT_LE(min_x, 62);
    EXPECT_LE(max_x, 259);
    EXPECT_GE(max_x, 257);
    EXPECT_GE(min_y, 20);
    EXPECT_LE(min_y, 22);
    EXPECT_LE(max_y, 219);
    EXPECT_GE(max_y, 217);
  }
}

// The ice planet's land and lakes share one material with different values: each layer must be
// drawn with its own, so both together are the lakes over the land.
TEST_F(RulesTest, LayersSharingAMaterialKeepTheirOwnValues) {
  PlanetPainter painter;
  const Planet ice = make_planet(PlanetKind::IcePlanet, kSize);
  const auto draws = layer_draws(ice, 0);
  const Image land = draw_one(painter, draws[0]);
  const Image lakes = draw_one(painter, draws[1]);
  const float side = kSize;
  const Image both = render_layers(painter, {draws[0], draws[1]}, kSize, kSize, 0, 0, side, side);
  int lake_pixels = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const bool lake = lakes.drawn(x, y);
      lake_pixels += lake ? 1 : 0;
      ASSERT_EQ(both.at(x, y), lake ? lakes.at(x, y) : land.at(x, y)) << x << "," << y;
    }
  }
  EXPECT_GT(lake_pixels, 0);
  EXPECT_NE(land.rgba, lakes.rgba);
}

TEST_F(RulesTest, GalaxyShowsItsPalette) {
  PlanetPainter painter;
  const Planet galaxy = make_planet(PlanetKind::Galaxy, 100);
  const Image image = render_planet(painter, galaxy, 100, false);
  std::set<std::tuple<int, int, int>> colours;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x)
      if (image.drawn(x, y)) colours.insert({image.at(x, y).r, image.at(x, y).g, image.at(x, y).b});
  EXPECT_GE(colours.size(), 4u);
}

}  // namespace
}  // namespace planet::test
