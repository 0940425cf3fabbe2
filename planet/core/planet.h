// A procedurally drawn pixel-art planet as plain data: its kind, layers, palette and the few
// parameters the layer shaders read. No graphics here.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
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

constexpr std::uint32_t kMinPixels = 12;
constexpr std::uint32_t kMaxPixels = 5000;

Planet create_planet(PlanetKind kind, const PlanetParams& params);
// Stores `pixels` clamped to kMinPixels..kMaxPixels.
void set_pixels(Planet& planet, std::uint32_t pixels);
// "#RRGGBB" or "#RRGGBBAA" (any number of leading '#', surrounding white space, either case).
std::optional<Rgba8> parse_hex_color(std::string_view text);

// The kinds as data: name ("RiverPlanet"), layer names in drawing order, palette strings.
std::string_view kind_name(PlanetKind kind);
std::optional<PlanetKind> kind_from_name(std::string_view name);
std::span<const std::string_view> kind_layer_names(PlanetKind kind);
std::span<const std::string_view> kind_palette(PlanetKind kind);
// The cloud cover a planet of `kind` and `seed` is created with.
float cloud_cover_for(PlanetKind kind, std::uint64_t seed);

}  // namespace planet
