#include <algorithm>
#include <bit>
#include <cmath>

#include "planet/core/planet.h"

namespace planet {
namespace {

// PCG32 (64-bit state, XSH-RR output), seeded the published way.
class Pcg32 {
 public:
  Pcg32(std::uint64_t seed, std::uint64_t stream) : inc_((stream << 1u) | 1u) {
    next();
    state_ += seed;
    next();
  }
  std::uint32_t next() {
    const std::uint64_t old = state_;
    state_ = old * kMultiplier + inc_;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rot = static_cast<int>(old >> 59u);
    return std::rotr(xorshifted, rot);
  }

 private:
  static constexpr std::uint64_t kMultiplier = 6364136223846793005ull;
  std::uint64_t state_ = 0;
  std::uint64_t inc_;
};

constexpr std::uint64_t kCloudStream = 1442695040888963407ull;

// A float in [0, 1] from two outputs: the first sets the binade, the second the mantissa.
float unit_float(Pcg32& rng) {
  const std::uint32_t x1 = rng.next();
  if (x1 == 0) return 0.0f;
  const std::uint32_t x2 = rng.next() | 0x80000001u;
  const int p = 31 - std::countl_zero(x1);
  const float scale = std::ldexp(1.0f, p - 63);
  return scale * static_cast<float>(x2);
}

}  // namespace

float cloud_cover_for(PlanetKind kind, std::uint64_t seed) {
  float low = 0.5f;
  float range = 0.0f;
  switch (kind) {
    case PlanetKind::RiverPlanet:
    case PlanetKind::IslandPlanet:
      low = 0.35f;
      range = 0.25000003f;
      break;
    case PlanetKind::GasGiant:
      low = 0.28f;
      range = 0.22f;
      break;
    case PlanetKind::IcePlanet:
      return 0.546f;
    default:
      return 0.5f;
  }
  Pcg32 rng(seed, kCloudStream);
  const float u = unit_float(rng);
  const float spread = u * range;
  return low + spread;
}

void set_pixels(Planet& planet, std::uint32_t pixels) {
  planet.pixels = std::clamp(pixels, kMinPixels, kMaxPixels);
}

Planet create_planet(PlanetKind kind, const PlanetParams& params) {
  Planet planet;
  planet.kind = kind;
  planet.seed = params.seed;
  planet.light_origin = params.light_origin;
  planet.rotation = params.rotation;
  planet.time = params.time;
  planet.should_dither = params.should_dither;
  set_pixels(planet, params.pixels);

  // Fixed looks of some kinds, whatever the caller passed.
  switch (kind) {
    case PlanetKind::RiverPlanet:
    case PlanetKind::IslandPlanet:
      planet.rotation = 0.2f;
      break;
    case PlanetKind::GasGiant:
      planet.light_origin = {0.25f, 0.25f};
      break;
    case PlanetKind::RingedGiant:
      planet.light_origin = {-0.1f, 0.3f};
      break;
    case PlanetKind::BlackHole:
      planet.rotation = 0.0f;
      planet.light_origin = {0.607f, 0.444f};
      break;
    default:
      break;
  }

  // Every built-in entry parses: kinds.cpp checks its palettes when it is compiled.
  for (std::string_view hex : kind_palette(kind)) planet.colors.push_back(*parse_hex_color(hex));
  for (std::string_view name : kind_layer_names(kind)) {
    planet.layers.push_back(PlanetLayer{std::string(name), true});
  }
  planet.cloud_cover = cloud_cover_for(kind, params.seed);
  return planet;
}

}  // namespace planet
