// A procedurally drawn pixel-art planet as plain data: its kind, layers, palette and the few
// parameters the layer shaders read. No graphics here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace planet {

enum class PlanetKind : std::uint8_t {
  RiverPlanet, DryPlanet, IslandPlanet, CraterPlanet, GasGiant, RingedGiant,
  IcePlanet, LavaPlanet, Asteroid, BlackHole, Galaxy, Star,
};
constexpr int kPlanetKindCount = 12;

struct Rgba8 {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  friend bool operator==(const Rgba8&, const Rgba8&) = default;
};

struct Vec2f {
  float x = 0, y = 0;
  friend bool operator==(const Vec2f&, const Vec2f&) = default;
};

struct PlanetLayer {
  std::string name;
  bool visible = true;
};

struct PlanetParams {
  std::uint64_t seed = 0;
  Vec2f light_origin{0.39f, 0.39f};
  std::uint32_t pixels = 100;
  float rotation = 0;
  float time = 0;
  bool should_dither = true;
};

struct Planet {
  PlanetKind kind = PlanetKind::RiverPlanet;
  std::vector<Rgba8> colors;
  std::vector<PlanetLayer> layers;
  std::uint64_t seed = 0;
  Vec2f light_origin;
  std::uint32_t pixels = 12;  // written only through set_pixels
  float rotation = 0;
  float time = 0;
  bool should_dither = true;
  float cloud_cover = 0;
};

Planet create_planet(PlanetKind kind, const PlanetParams& params);
void set_pixels(Planet& planet, std::uint32_t pixels);
std::optional<Rgba8> parse_hex_color(std::string_view text);

}  // namespace planet
