#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "planet/core/planet.h"

namespace planet {
namespace {

std::string seven_digits(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7f", static_cast<double>(value));
  return text;
}

Planet make(PlanetKind kind, std::uint64_t seed = 0, float rotation = 1.0f) {
  PlanetParams params;
  params.seed = seed;
  params.rotation = rotation;
  params.light_origin = {0.1f, 0.9f};
  return create_planet(kind, params);
}

TEST(PlanetCore, EveryKindHasItsLayersAndAParsedPalette) {
  // Highest palette entry each kind's layers read, plus one.
  const std::size_t needed[kPlanetKindCount] = {10, 4, 11, 5, 8, 6, 10, 8, 3, 5, 7, 4};
  const std::size_t layer_counts[kPlanetKindCount] = {2, 1, 3, 2, 2, 2, 3, 3, 1, 2, 1, 3};
  for (int i = 0; i < kPlanetKindCount; ++i) {
    const auto kind = static_cast<PlanetKind>(i);
    const Planet planet = make(kind);
    SCOPED_TRACE(std::string(kind_name(kind)));
    EXPECT_EQ(planet.kind, kind);
    EXPECT_EQ(planet.colors.size(), kind_palette(kind).size()) << "every built-in colour parses";
    EXPECT_GE(planet.colors.size(), needed[i]);
    ASSERT_EQ(planet.layers.size(), layer_counts[i]);
    for (std::size_t l = 0; l < planet.layers.size(); ++l) {
      EXPECT_EQ(planet.layers[l].name, kind_layer_names(kind)[l]);
      EXPECT_TRUE(planet.layers[l].visible);
    }
    EXPECT_EQ(kind_from_name(kind_name(kind)), kind);
  }
  EXPECT_FALSE(kind_from_name("Moon").has_value());
  const Planet island = make(PlanetKind::IslandPlanet);
  EXPECT_EQ(island.layers[0].name, "Water");
  EXPECT_EQ(island.colors[10], (Rgba8{0x40, 0x49, 0x73, 255}));
  const Planet star = make(PlanetKind::Star);
  EXPECT_EQ(star.layers[2].name, "StarFlares");
  EXPECT_EQ(star.colors[0], (Rgba8{0x4B, 0x11, 0x0D, 255}));
}

TEST(PlanetCore, KindOverridesReplaceTheCallersValues) {
  struct Case {
    PlanetKind kind;
    float rotation;
    Vec2f light;
  };
  const Case cases[] = {
      {PlanetKind::RiverPlanet, 0.2f, {0.1f, 0.9f}},   {PlanetKind::IslandPlanet, 0.2f, {0.1f, 0.9f}},
      {PlanetKind::CraterPlanet, 1.0f, {0.1f, 0.9f}},  {PlanetKind::GasGiant, 1.0f, {0.25f, 0.25f}},
      {PlanetKind::RingedGiant, 1.0f, {-0.1f, 0.3f}},  {PlanetKind::BlackHole, 0.0f, {0.607f, 0.444f}},
      {PlanetKind::Star, 1.0f, {0.1f, 0.9f}},
  };
  for (const Case& c : cases) {
    const Planet planet = make(c.kind, 5, 1.0f);
    SCOPED_TRACE(std::string(kind_name(c.kind)));
    EXPECT_EQ(planet.rotation, c.rotation);
    EXPECT_EQ(planet.light_origin, c.light);
  }
}

TEST(PlanetCore, SetPixelsClampsTo12Through5000) {
  Planet planet = make(PlanetKind::DryPlanet);
  const std::pair<std::uint32_t, std::uint32_t> cases[] = {
      {0, 12}, {12, 12}, {13, 13}, {100, 100}, {5000, 5000}, {6000, 5000}, {0xFFFFFFFFu, 5000}};
  for (auto [given, stored] : cases) {
    set_pixels(planet, given);
    EXPECT_EQ(planet.pixels, stored) << given;
  }
  PlanetParams params;
  params.pixels = 3;
  EXPECT_EQ(create_planet(PlanetKind::Galaxy, params).pixels, 12u);
}

// Expected values worked out once outside the code: PCG32 seeded with (seed, stream
// 1442695040888963407), then u = 2^(p - 63) * float(x2 | 0x80000001) in single precision.
TEST(PlanetCore, CloudCoverFromTheSeedStream) {
  EXPECT_EQ(seven_digits(make(PlanetKind::RiverPlanet, 1234567890123466796ull).cloud_cover),
            "0.5704547");
  EXPECT_EQ(seven_digits(make(PlanetKind::RiverPlanet, 0).cloud_cover), "0.4005679");
  EXPECT_EQ(seven_digits(make(PlanetKind::IslandPlanet, 1234567890123476803ull).cloud_cover),
            "0.4725609");
  EXPECT_EQ(seven_digits(make(PlanetKind::GasGiant, 1234567890123486810ull).cloud_cover),
            "0.4758298");
  struct Case {
    PlanetKind kind;
    std::uint64_t seed;
    float cover;  // nine digits: the exact single-precision value
  };
  const Case cases[] = {
      {PlanetKind::RiverPlanet, 1, 0.432389766f},
      {PlanetKind::IslandPlanet, 1, 0.432389766f},  // the same rule as the river planet
      {PlanetKind::GasGiant, 1, 0.352503002f},
      {PlanetKind::RiverPlanet, 99, 0.599132955f},
      {PlanetKind::GasGiant, 99, 0.499237001f},
      {PlanetKind::RiverPlanet, ~0ull, 0.599883258f},
      {PlanetKind::GasGiant, ~0ull, 0.499897242f},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(make(c.kind, c.seed).cloud_cover, c.cover) << kind_name(c.kind) << " seed " << c.seed;
  }
  for (std::uint64_t seed : {0ull, 1ull, 99ull, 1234567890123466796ull, ~0ull}) {
    EXPECT_EQ(make(PlanetKind::IcePlanet, seed).cloud_cover, 0.546f);
    EXPECT_EQ(make(PlanetKind::Galaxy, seed).cloud_cover, 0.5f);
    EXPECT_EQ(make(PlanetKind::LavaPlanet, seed).cloud_cover, 0.5f);
  }
  for (std::uint64_t seed = 0; seed < 2000; ++seed) {
    const float river = cloud_cover_for(PlanetKind::RiverPlanet, seed * 7919u);
    ASSERT_GE(river, 0.35f);
    ASSERT_LE(river, 0.60000003f);
    const float gas = cloud_cover_for(PlanetKind::GasGiant, seed * 7919u);
    ASSERT_GE(gas, 0.28f);
    ASSERT_LE(gas, 0.5f);
  }
}

TEST(PlanetCore, ParseHexColor) {
  const Rgba8 green{99, 171, 63, 255};
  EXPECT_EQ(parse_hex_color("#63AB3F"), green);
  EXPECT_EQ(parse_hex_color("  ##63ab3f \t"), green);
  EXPECT_EQ(parse_hex_color("63AB3F"), green);
  EXPECT_EQ(parse_hex_color("#63AB3F80"), (Rgba8{99, 171, 63, 128}));
  for (const char* bad : {"#63AB3", "#GG0000", "#63AB3F8", "", "#", "#12 456", "#+1AB3F", "63AB3F#"}) {
    EXPECT_FALSE(parse_hex_color(bad).has_value()) << '"' << bad << '"';
  }
}

}  // namespace
}  // namespace planet
