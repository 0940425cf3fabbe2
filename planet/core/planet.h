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
// Usable at compile time, so that the built-in palettes are checked when they are compiled.
constexpr std::optional<Rgba8> parse_hex_color(std::string_view text) {
  constexpr auto is_space = [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
  };
  constexpr auto hex_digit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
  while (!text.empty() && text.front() == '#') text.remove_prefix(1);
  if (text.size() != 6 && text.size() != 8) return std::nullopt;
  std::uint8_t channels[4] = {0, 0, 0, 255};
  for (std::size_t i = 0; i < text.size() / 2; ++i) {
    const int hi = hex_digit(text[2 * i]);
    const int lo = hex_digit(text[2 * i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    channels[i] = static_cast<std::uint8_t>(hi * 16 + lo);
  }
  return Rgba8{channels[0], channels[1], channels[2], channels[3]};
}

// The kinds as data: name ("RiverPlanet"), layer names in drawing order, palette strings.
std::string_view kind_name(PlanetKind kind);
std::optional<PlanetKind> kind_from_name(std::string_view name);
std::span<const std::string_view> kind_layer_names(PlanetKind kind);
std::span<const std::string_view> kind_palette(PlanetKind kind);
// The cloud cover a planet of `kind` and `seed` is created with.
float cloud_cover_for(PlanetKind kind, std::uint64_t seed);

}  // namespace planet
