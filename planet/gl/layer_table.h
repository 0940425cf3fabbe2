// The layer materials as data: each material's declared uniforms, and for each kind the table of
// its layers with the values their uniforms get. No GL here, so the tables are testable without a
// context. Uniforms are named by `Uniform`; their GLSL names are needed only when a material is
// built.
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

// Every uniform any layer shader declares.
enum class Uniform : std::uint8_t {
  Pixels, Rotation, LightOrigin, TimeSpeed, DitherSize, ShouldDither, LightBorder, LightBorder1,
  LightBorder2, RiverCutoff, LandCutoff, CloudCover, Stretch, CloudCurve, Bands, NColors, Colors,
  DarkColors, Size, Octaves, Seed, Time, RingWidth, RingPerspective, ScaleRelToPlanet, Radius,
  LightWidth, DiskWidth, Tilt, NLayers, LayerHeight, Zoom, Swirl, NumFrames, CircleAmount,
  CircleSize, CircleScale, Tiles, StormWidth, StormDitherWidth, Scale,
};
constexpr int kUniformCount = 41;
static_assert(static_cast<int>(Uniform::Scale) + 1 == kUniformCount, "count every uniform");

// The name the shaders declare it by ("light_border_1", "OCTAVES").
std::string_view uniform_name(Uniform uniform);

enum class UniformType : std::uint8_t { Float, Int, Vec2, Vec4Array };

struct UniformDecl {
  Uniform uniform;
  UniformType type;
  int count = 1;  // array length of a Vec4Array
};

struct MaterialInfo {
  std::string_view name;  // also the fragment shader's file name, without ".frag"
  std::span<const UniformDecl> uniforms;
  bool reads_raw_uv;  // false: the shader sees only the art-pixel coordinate
  // Alpha 0 on every art pixel outside the round body (the shader's cut-out).
  bool within_body;
  // Opaque colours give alpha 1 on every art pixel of the round body.
  bool fills_body;
};

const MaterialInfo& material_info(LayerMaterial material);

using Color4 = std::array<float, 4>;

// Up to the seven colours of the largest palette array, without an allocation per frame.
class ColorList {
 public:
  static constexpr std::size_t kCapacity = 7;
  void push_back(const Color4& c) { colors_.at(count_++) = c; }
  std::size_t size() const { return count_; }
  const Color4& operator[](std::size_t i) const { return colors_[i]; }
  Color4& operator[](std::size_t i) { return colors_[i]; }
  const Color4* begin() const { return colors_.data(); }
  const Color4* end() const { return colors_.data() + count_; }
  Color4* begin() { return colors_.data(); }
  Color4* end() { return colors_.data() + count_; }
  const float* data() const { return colors_.front().data(); }

 private:
  std::array<Color4, kCapacity> colors_{};
  std::size_t count_ = 0;
};

struct UniformValue {
  Uniform uniform = Uniform::Pixels;
  UniformType type = UniformType::Float;
  std::array<float, 2> v{};  // Float uses v[0]; Vec2 both
  int i = 0;
  ColorList colors;
};

// One layer ready to draw: its material, the value of every uniform the material declares (in
// declaration order), and the art resolution its shader pixelates to.
struct LayerDraw {
  LayerMaterial material;
  std::vector<UniformValue> values;
  float art_pixels = 0;

  // The value of `uniform`, or nothing when the material does not declare it.
  UniformValue* find(Uniform uniform);
  const UniformValue* find(Uniform uniform) const;
};

// How a layer's table row gives a uniform its value.
enum class ValueSource : std::uint8_t {
  Constant,       // `number` (x, y for a Vec2; truncated for an Int)
  Palette,        // the palette entries `entries[0..entry_count)`, in that order
  RotationPlus,   // the common rotation + number[0]
  SpinPlus,       // spin + number[0]: the planet's own rotation left out
  HalfPixels,     // half the common pixel count
};

struct LayerSetting {
  Uniform uniform;
  ValueSource source = ValueSource::Constant;
  std::array<float, 2> number{};
  std::array<std::uint8_t, ColorList::kCapacity> entries{};
  std::uint8_t entry_count = 0;
};

// One row of a kind's table: the layer's material and the values that replace or add to the
// common ones (pixels, rotation, seed, time, light origin, cloud cover, dither switch). The layer's
// name is the kind's (kind_layer_names) at the same position.
struct LayerRow {
  LayerMaterial material;
  std::span<const LayerSetting> settings;
};

// The kind's layers in drawing order, one row for each of its layer names.
std::span<const LayerRow> kind_layer_rows(PlanetKind kind);

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
