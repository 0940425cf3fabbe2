// The layer materials as data: each material's declared uniforms, and the uniform values each
// kind's layers are drawn with. No GL here, so the tables are testable without a context.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "planet/core/planet.h"

namespace planet {

enum class LayerMaterial : std::uint8_t {
  LandRivers, LandMasses, Water, Ground, Craters, LavaRivers,
  Clouds, GasClouds, GasLayers, Ring,
  Asteroid, BlackHole, AccretionDisk, Galaxy, StarBlobs, Star, StarFlares,
};
constexpr int kLayerMaterialCount = 17;

enum class UniformType : std::uint8_t { Float, Int, Vec2, Vec4Array };

struct UniformDecl {
  std::string_view name;
  UniformType type;
  int count = 1;  // array length of a Vec4Array
};

struct MaterialInfo {
  std::string_view name;  // also the fragment shader's file name, without ".frag"
  std::span<const UniformDecl> uniforms;
  bool reads_raw_uv;  // false: the shader sees only the art-pixel coordinate
};

const MaterialInfo& material_info(LayerMaterial material);

using Color4 = std::array<float, 4>;

struct UniformValue {
  std::string_view name;
  UniformType type = UniformType::Float;
  std::array<float, 2> v{};  // Float uses v[0]; Vec2 both
  int i = 0;
  std::vector<Color4> colors;
};

// One layer ready to draw: its material, the value of every uniform the material declares, and
// the art resolution its shader pixelates to.
struct LayerDraw {
  LayerMaterial material;
  std::vector<UniformValue> values;
  float art_pixels = 0;
};

struct Square {
  float x = 0, y = 0, side = 0;
};

// The largest square centred in the rectangle (a NaN side yields to the other one).
Square fit_square(float x, float y, float w, float h);
// The `seed` uniform: (seed mod 1000) / 100.
float seed_uniform(std::uint64_t seed);
// The layers to draw, back to front: stops at the first position the planet has no layer for and
// skips invisible ones.
std::vector<LayerDraw> layer_draws(const Planet& planet, float spin);

}  // namespace planet
