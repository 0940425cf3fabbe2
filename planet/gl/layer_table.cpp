// The materials' declared uniforms and every kind's layer table, as data.
#include "planet/gl/layer_table.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace planet {
namespace {

using T = UniformType;
using U = Uniform;
using M = LayerMaterial;

// Indexed by Uniform.
constexpr std::string_view kUniformNames[kUniformCount] = {
    "pixels", "rotation", "light_origin", "time_speed", "dither_size", "should_dither",
    "light_border", "light_border_1", "light_border_2", "river_cutoff", "land_cutoff",
    "cloud_cover", "stretch", "cloud_curve", "bands", "n_colors", "colors", "dark_colors", "size",
    "OCTAVES", "seed", "time", "ring_width", "ring_perspective", "scale_rel_to_planet", "radius",
    "light_width", "disk_width", "tilt", "n_layers", "layer_height", "zoom", "swirl",
    "num_frames", "circle_amount", "circle_size", "circle_scale", "TILES", "storm_width",
    "storm_dither_width", "scale"};

constexpr UniformDecl kLandRivers[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::LightOrigin, T::Vec2},
    {U::TimeSpeed, T::Float}, {U::DitherSize, T::Float}, {U::ShouldDither, T::Int},
    {U::LightBorder1, T::Float}, {U::LightBorder2, T::Float}, {U::RiverCutoff, T::Float},
    {U::Colors, T::Vec4Array, 6}, {U::Size, T::Float}, {U::Octaves, T::Int}, {U::Seed, T::Float},
    {U::Time, T::Float}};
constexpr UniformDecl kLandMasses[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::LightOrigin, T::Vec2},
    {U::TimeSpeed, T::Float}, {U::DitherSize, T::Float}, {U::ShouldDither, T::Int},
    {U::LightBorder1, T::Float}, {U::LightBorder2, T::Float}, {U::LandCutoff, T::Float},
    {U::Colors, T::Vec4Array, 4}, {U::Size, T::Float}, {U::Octaves, T::Int}, {U::Seed, T::Float},
    {U::Time, T::Float}};
constexpr UniformDecl kWater[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::LightOrigin, T::Vec2},
    {U::TimeSpeed, T::Float}, {U::LightBorder1, T::Float}, {U::LightBorder2, T::Float},
    {U::LandCutoff, T::Float}, {U::Colors, T::Vec4Array, 3}, {U::Size, T::Float},
    {U::Octaves, T::Int}, {U::Seed, T::Float}, {U::Time, T::Float}};
constexpr UniformDecl kGround[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::LightOrigin, T::Vec2},
    {U::TimeSpeed, T::Float}, {U::DitherSize, T::Float}, {U::ShouldDither, T::Int},
    {U::LightBorder1, T::Float}, {U::LightBorder2, T::Float}, {U::Colors, T::Vec4Array, 3},
    {U::Size, T::Float}, {U::Octaves, T::Int}, {U::Seed, T::Float}, {U::Time, T::Float}};
constexpr UniformDecl kCraters[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::LightOrigin, T::Vec2},
    {U::TimeSpeed, T::Float}, {U::DitherSize, T::Float}, {U::ShouldDither, T::Int},
    {U::LightBorder, T::Float}, {U::Colors, T::Vec4Array, 2}, {U::Size, T::Float},
    {U::Seed, T::Float}, {U::Time, T::Float}};
constexpr UniformDecl kLavaRivers[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::LightOrigin, T::Vec2},
    {U::TimeSpeed, T::Float}, {U::LightBorder1, T::Float}, {U::LightBorder2, T::Float},
    {U::RiverCutoff, T::Float}, {U::Colors, T::Vec4Array, 3}, {U::Size, T::Float},
    {U::Octaves, T::Int}, {U::Seed, T::Float}, {U::Time, T::Float}};
// Shared by `clouds` and `gas_clouds`.
constexpr UniformDecl kClouds[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::CloudCover, T::Float},
    {U::LightOrigin, T::Vec2}, {U::TimeSpeed, T::Float}, {U::Stretch, T::Float},
    {U::CloudCurve, T::Float}, {U::LightBorder1, T::Float}, {U::LightBorder2, T::Float},
    {U::Colors, T::Vec4Array, 4}, {U::Size, T::Float}, {U::Octaves, T::Int}, {U::Seed, T::Float},
    {U::Time, T::Float}};
constexpr UniformDecl kGasLayers[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::CloudCover, T::Float},
    {U::LightOrigin, T::Vec2}, {U::TimeSpeed, T::Float}, {U::Stretch, T::Float},
    {U::CloudCurve, T::Float}, {U::LightBorder1, T::Float}, {U::LightBorder2, T::Float},
    {U::Bands, T::Float}, {U::ShouldDither, T::Int}, {U::NColors, T::Int},
    {U::Colors, T::Vec4Array, 3}, {U::DarkColors, T::Vec4Array, 3}, {U::Size, T::Float},
    {U::Octaves, T::Int}, {U::Seed, T::Float}, {U::Time, T::Float}};
constexpr UniformDecl kRing[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::LightOrigin, T::Vec2},
    {U::TimeSpeed, T::Float}, {U::LightBorder1, T::Float}, {U::LightBorder2, T::Float},
    {U::RingWidth, T::Float}, {U::RingPerspective, T::Float}, {U::ScaleRelToPlanet, T::Float},
    {U::ShouldDither, T::Int}, {U::NColors, T::Int}, {U::Colors, T::Vec4Array, 3},
    {U::DarkColors, T::Vec4Array, 3}, {U::Size, T::Float}, {U::Octaves, T::Int},
    {U::Seed, T::Float}, {U::Time, T::Float}};
constexpr UniformDecl kAsteroid[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::LightOrigin, T::Vec2},
    {U::TimeSpeed, T::Float}, {U::DitherSize, T::Float}, {U::ShouldDither, T::Int},
    {U::Colors, T::Vec4Array, 3}, {U::Size, T::Float}, {U::Octaves, T::Int}, {U::Seed, T::Float},
    {U::Time, T::Float}};
constexpr UniformDecl kBlackHole[] = {
    {U::Pixels, T::Float}, {U::Colors, T::Vec4Array, 3}, {U::Radius, T::Float},
    {U::LightWidth, T::Float}};
constexpr UniformDecl kAccretionDisk[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::LightOrigin, T::Vec2},
    {U::TimeSpeed, T::Float}, {U::DiskWidth, T::Float}, {U::RingPerspective, T::Float},
    {U::ShouldDither, T::Int}, {U::Colors, T::Vec4Array, 5}, {U::NColors, T::Int},
    {U::Size, T::Float}, {U::Octaves, T::Int}, {U::Seed, T::Float}, {U::Time, T::Float}};
// `n_colors` is declared (and set to 6) so the galaxy shows its whole palette.
constexpr UniformDecl kGalaxy[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::TimeSpeed, T::Float},
    {U::DitherSize, T::Float}, {U::ShouldDither, T::Int}, {U::Colors, T::Vec4Array, 7},
    {U::NColors, T::Int}, {U::Size, T::Float}, {U::Octaves, T::Int}, {U::Seed, T::Float},
    {U::Time, T::Float}, {U::Tilt, T::Float}, {U::NLayers, T::Float},
    {U::LayerHeight, T::Float}, {U::Zoom, T::Float}, {U::Swirl, T::Float},
    {U::NumFrames, T::Float}};
constexpr UniformDecl kStarBlobs[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::TimeSpeed, T::Float},
    {U::Colors, T::Vec4Array, 1}, {U::Size, T::Float}, {U::Octaves, T::Int}, {U::Seed, T::Float},
    {U::Time, T::Float}, {U::CircleAmount, T::Float}, {U::CircleSize, T::Float}};
constexpr UniformDecl kStar[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::TimeSpeed, T::Float},
    {U::Colors, T::Vec4Array, 4}, {U::NColors, T::Int}, {U::ShouldDither, T::Int},
    {U::Size, T::Float}, {U::Octaves, T::Int}, {U::Seed, T::Float}, {U::Time, T::Float},
    {U::Tiles, T::Float}};
constexpr UniformDecl kStarFlares[] = {
    {U::Pixels, T::Float}, {U::Rotation, T::Float}, {U::TimeSpeed, T::Float},
    {U::Colors, T::Vec4Array, 2}, {U::ShouldDither, T::Int}, {U::StormWidth, T::Float},
    {U::StormDitherWidth, T::Float}, {U::Scale, T::Float}, {U::Seed, T::Float},
    {U::CircleAmount, T::Float}, {U::CircleScale, T::Float}, {U::Size, T::Float},
    {U::Octaves, T::Int}, {U::Time, T::Float}};

// Indexed by LayerMaterial.
const MaterialInfo kMaterials[kLayerMaterialCount] = {
    {"land_rivers", kLandRivers, false, true, true},
    {"land_masses", kLandMasses, false, true, false},
    {"water", kWater, false, true, true},
    {"ground", kGround, false, true, true},
    {"craters", kCraters, false, true, false},
    {"lava_rivers", kLavaRivers, false, true, false},
    {"clouds", kClouds, false, true, false},
    {"gas_clouds", kClouds, false, true, false},
    {"gas_layers", kGasLayers, false, true, true},
    {"ring", kRing, false, false, false},
    {"asteroid", kAsteroid, false, false, false},
    {"black_hole", kBlackHole, false, false, false},
    {"accretion_disk", kAccretionDisk, false, false, false},
    {"galaxy", kGalaxy, false, false, false},
    {"star_blobs", kStarBlobs, false, false, false},
    {"star", kStar, true, false, false},               // dithers on the raw x coordinate
    {"star_flares", kStarFlares, true, false, false},  // likewise
};

// Table entries.
constexpr LayerSetting num(Uniform u, float value) {
  LayerSetting s{u};
  s.number = {value, 0.0f};
  return s;
}
constexpr LayerSetting xy(Uniform u, float x, float y) {
  LayerSetting s{u};
  s.number = {x, y};
  return s;
}
// Palette entries in the given order.
constexpr LayerSetting pal(Uniform u, std::initializer_list<int> entries) {
  LayerSetting s{u, ValueSource::Palette};
  for (int e : entries) s.entries.at(s.entry_count++) = static_cast<std::uint8_t>(e);
  return s;
}
// Palette entries first..last.
constexpr LayerSetting pal_range(Uniform u, int first, int last) {
  LayerSetting s{u, ValueSource::Palette};
  for (int e = first; e <= last; ++e) s.entries.at(s.entry_count++) = static_cast<std::uint8_t>(e);
  return s;
}
constexpr LayerSetting rotation_plus(float offset) {
  LayerSetting s{U::Rotation, ValueSource::RotationPlus};
  s.number = {offset, 0.0f};
  return s;
}
constexpr LayerSetting spin_plus(float offset) {
  LayerSetting s{U::Rotation, ValueSource::SpinPlus};
  s.number = {offset, 0.0f};
  return s;
}
constexpr LayerSetting half_pixels() { return LayerSetting{U::Pixels, ValueSource::HalfPixels}; }

// ---- The kinds' layer tables, one per kind, a row for each layer the kind names. ----

constexpr LayerSetting kRiverLand[] = {
    num(U::TimeSpeed, 0.2f), num(U::DitherSize, 3.951f), num(U::LightBorder1, 0.287f),
    num(U::LightBorder2, 0.476f), num(U::RiverCutoff, 0.368f), pal_range(U::Colors, 0, 5),
    num(U::Size, 4.6f), num(U::Octaves, 6)};
constexpr LayerSetting kRiverCloud[] = {
    num(U::TimeSpeed, 0.14f), num(U::Stretch, 2.0f), num(U::CloudCurve, 1.3f),
    num(U::LightBorder1, 0.52f), num(U::LightBorder2, 0.62f), pal_range(U::Colors, 6, 9),
    num(U::Size, 7.315f), num(U::Octaves, 2)};
constexpr LayerRow kRiverPlanet[] = {
    {M::LandRivers, kRiverLand},
    {M::Clouds, kRiverCloud},
};

constexpr LayerSetting kDryLand[] = {
    num(U::TimeSpeed, 0.2f), num(U::DitherSize, 3.0f), num(U::LightBorder1, 0.4f),
    num(U::LightBorder2, 0.5f), num(U::LandCutoff, 0.15f), pal_range(U::Colors, 0, 3),
    num(U::Size, 5.0f), num(U::Octaves, 6)};
constexpr LayerRow kDryPlanet[] = {
    {M::LandMasses, kDryLand},
};

constexpr LayerSetting kIslandWater[] = {
    num(U::TimeSpeed, 0.2f), num(U::LightBorder1, 0.4f), num(U::LightBorder2, 0.6f),
    num(U::LandCutoff, 0.2f), pal_range(U::Colors, 0, 2), num(U::Size, 5.228f),
    num(U::Octaves, 3)};
constexpr LayerSetting kIslandLand[] = {
    num(U::TimeSpeed, 0.16f), num(U::DitherSize, 3.0f), num(U::LightBorder1, 0.32f),
    num(U::LightBorder2, 0.534f), num(U::LandCutoff, 0.633f), pal_range(U::Colors, 3, 6),
    num(U::Size, 4.292f), num(U::Octaves, 6)};
constexpr LayerSetting kIslandCloud[] = {
    num(U::TimeSpeed, 0.16f), num(U::Stretch, 2.0f), num(U::CloudCurve, 1.3f),
    num(U::LightBorder1, 0.52f), num(U::LightBorder2, 0.62f), pal_range(U::Colors, 7, 10),
    num(U::Size, 7.745f), num(U::Octaves, 2)};
constexpr LayerRow kIslandPlanet[] = {
    {M::Water, kIslandWater},
    {M::LandMasses, kIslandLand},
    {M::Clouds, kIslandCloud},
};

constexpr LayerSetting kCraterGround[] = {
    num(U::TimeSpeed, 0.32f), num(U::DitherSize, 5.0f), num(U::LightBorder1, 0.615f),
    num(U::LightBorder2, 0.729f), pal_range(U::Colors, 0, 2), num(U::Size, 8.0f),
    num(U::Octaves, 4)};
constexpr LayerSetting kCraterCraters[] = {
    num(U::TimeSpeed, 0.2f), num(U::DitherSize, 5.0f), num(U::LightBorder, 0.465f),
    pal_range(U::Colors, 3, 4), num(U::Size, 5.0f)};
constexpr LayerRow kCraterPlanet[] = {
    {M::Ground, kCraterGround},
    {M::Craters, kCraterCraters},
};

constexpr LayerSetting kGasCloud[] = {
    num(U::CloudCover, 0.0f),  // the whole body, not the planet's cover
    num(U::TimeSpeed, 0.09f), num(U::Stretch, 1.0f), num(U::CloudCurve, 1.3f),
    num(U::LightBorder1, 0.692f), num(U::LightBorder2, 0.666f), pal_range(U::Colors, 0, 3),
    num(U::Size, 9.0f), num(U::Octaves, 5)};
constexpr LayerSetting kGasCloud2[] = {
    num(U::TimeSpeed, 0.09f), num(U::Stretch, 1.0f), num(U::CloudCurve, 1.3f),
    num(U::LightBorder1, 0.439f), num(U::LightBorder2, 0.746f), pal_range(U::Colors, 4, 7),
    num(U::Size, 9.0f), num(U::Octaves, 5)};
constexpr LayerRow kGasGiant[] = {
    {M::GasClouds, kGasCloud},
    {M::Clouds, kGasCloud2},
};

constexpr LayerSetting kRingedGasLayers[] = {
    num(U::TimeSpeed, 0.08f), num(U::Stretch, 1.0f), num(U::CloudCurve, 1.0f),
    num(U::LightBorder1, 0.4f), num(U::LightBorder2, 0.6f), num(U::Bands, 0.892f),
    num(U::NColors, 3), pal_range(U::Colors, 0, 2), pal_range(U::DarkColors, 3, 5),
    num(U::Size, 10.107f), num(U::Octaves, 5)};
constexpr LayerSetting kRingedRing[] = {
    rotation_plus(0.251f), num(U::TimeSpeed, 0.251f), num(U::LightBorder1, 0.0f),
    num(U::LightBorder2, 0.0f), num(U::RingWidth, 0.1f), num(U::RingPerspective, 14.0f),
    num(U::ScaleRelToPlanet, 1.0f), num(U::NColors, 3), pal_range(U::Colors, 0, 2),
    pal_range(U::DarkColors, 3, 5), num(U::Size, 6.598f), num(U::Octaves, 3)};
constexpr LayerRow kRingedGiant[] = {
    {M::GasLayers, kRingedGasLayers},
    {M::Ring, kRingedRing},
};

// All three ice layers are lit from (0.3, 0.3), not from the planet's light origin.
constexpr LayerSetting kIceLand[] = {
    xy(U::LightOrigin, 0.3f, 0.3f), num(U::TimeSpeed, 0.08f), num(U::DitherSize, 3.0f),
    num(U::LightBorder1, 0.4f), num(U::LightBorder2, 0.55f), num(U::LandCutoff, 0.4f),
    pal_range(U::Colors, 0, 3), num(U::Size, 5.0f), num(U::Octaves, 6)};
constexpr LayerSetting kIceLakes[] = {
    xy(U::LightOrigin, 0.3f, 0.3f), num(U::TimeSpeed, 0.08f), num(U::DitherSize, 3.0f),
    num(U::LightBorder1, 0.45f), num(U::LightBorder2, 0.6f), num(U::LandCutoff, 0.55f),
    pal_range(U::Colors, 4, 7), num(U::Size, 5.0f), num(U::Octaves, 6)};
constexpr LayerSetting kIceClouds[] = {
    xy(U::LightOrigin, 0.3f, 0.3f), num(U::TimeSpeed, 0.08f), num(U::Stretch, 2.5f),
    num(U::CloudCurve, 1.0f), num(U::LightBorder1, 0.566f), num(U::LightBorder2, 0.781f),
    pal(U::Colors, {8, 9, 6, 7}), num(U::Size, 4.0f), num(U::Octaves, 4)};
constexpr LayerRow kIcePlanet[] = {
    {M::LandMasses, kIceLand},
    {M::LandMasses, kIceLakes},
    {M::Clouds, kIceClouds},
};

constexpr LayerSetting kLavaLand[] = {
    num(U::TimeSpeed, 0.4f), num(U::DitherSize, 3.5f), num(U::LightBorder1, 0.4f),
    num(U::LightBorder2, 0.6f), pal_range(U::Colors, 0, 2), num(U::Size, 10.0f),
    num(U::Octaves, 3)};
constexpr LayerSetting kLavaCraters[] = {
    num(U::TimeSpeed, 0.16f), num(U::DitherSize, 3.5f), num(U::LightBorder, 0.4f),
    pal_range(U::Colors, 3, 4), num(U::Size, 3.5f)};
constexpr LayerSetting kLavaRiversLayer[] = {
    num(U::TimeSpeed, 0.4f), num(U::LightBorder1, 0.019f), num(U::LightBorder2, 0.036f),
    num(U::RiverCutoff, 0.579f), pal_range(U::Colors, 5, 7), num(U::Size, 10.0f),
    num(U::Octaves, 4)};
constexpr LayerRow kLavaPlanet[] = {
    {M::Ground, kLavaLand},
    {M::Craters, kLavaCraters},
    {M::LavaRivers, kLavaRiversLayer},
};

constexpr LayerSetting kAsteroidLayer[] = {
    num(U::TimeSpeed, 0.2f), num(U::DitherSize, 3.0f), pal_range(U::Colors, 0, 2),
    num(U::Size, 5.294f), num(U::Octaves, 2)};
constexpr LayerRow kAsteroidKind[] = {
    {M::Asteroid, kAsteroidLayer},
};

// The core takes only `pixels` of the common values (its material declares no others).
constexpr LayerSetting kBlackHoleCore[] = {
    pal_range(U::Colors, 0, 2), num(U::Radius, 0.4f), num(U::LightWidth, 0.05f)};
constexpr LayerSetting kBlackHoleDisk[] = {
    num(U::Pixels, 300.0f), spin_plus(0.766f), xy(U::LightOrigin, 0.607f, 0.444f),
    num(U::TimeSpeed, 0.2f), num(U::DiskWidth, 0.065f), num(U::RingPerspective, 14.0f),
    pal_range(U::Colors, 0, 4), num(U::NColors, 5), num(U::Size, 6.598f), num(U::Octaves, 3)};
constexpr LayerRow kBlackHoleKind[] = {
    {M::BlackHole, kBlackHoleCore},
    {M::AccretionDisk, kBlackHoleDisk},
};

constexpr LayerSetting kGalaxyLayer[] = {
    num(U::TimeSpeed, 1.0f), num(U::DitherSize, 2.0f), pal_range(U::Colors, 0, 6),
    num(U::NColors, 6), num(U::Size, 7.0f), num(U::Octaves, 1), num(U::Tilt, 3.0f),
    num(U::NLayers, 4.0f), num(U::LayerHeight, 0.4f), num(U::Zoom, 1.375f),
    num(U::Swirl, -9.0f), num(U::NumFrames, 6.0f)};
constexpr LayerRow kGalaxyKind[] = {
    {M::Galaxy, kGalaxyLayer},
};

constexpr LayerSetting kStarBlobsLayer[] = {
    num(U::TimeSpeed, 0.1f), pal_range(U::Colors, 0, 0), num(U::Size, 4.93f),
    num(U::Octaves, 4), num(U::CircleAmount, 0.5f), num(U::CircleSize, 1.0f)};
constexpr LayerSetting kStarSurface[] = {
    half_pixels(), num(U::TimeSpeed, 0.04f), pal_range(U::Colors, 0, 3), num(U::NColors, 4),
    num(U::Size, 4.463f), num(U::Octaves, 4), num(U::Tiles, 1.0f)};
constexpr LayerSetting kStarFlaresLayer[] = {
    num(U::TimeSpeed, 0.06f), pal_range(U::Colors, 0, 1), num(U::StormWidth, 0.2f),
    num(U::StormDitherWidth, 0.1f), num(U::Scale, 1.0f), num(U::CircleAmount, 0.5f),
    num(U::CircleScale, 1.0f), num(U::Size, 50.0f), num(U::Octaves, 4)};
constexpr LayerRow kStarKind[] = {
    {M::StarBlobs, kStarBlobsLayer},
    {M::Star, kStarSurface},
    {M::StarFlares, kStarFlaresLayer},
};

// Indexed by PlanetKind.
constexpr std::span<const LayerRow> kKindLayers[kPlanetKindCount] = {
    kRiverPlanet, kDryPlanet, kIslandPlanet, kCraterPlanet, kGasGiant, kRingedGiant,
    kIcePlanet, kLavaPlanet, kAsteroidKind, kBlackHoleKind, kGalaxyKind, kStarKind,
};

// The values every layer takes unless its row says otherwise, for the uniforms its material
// declares.
struct CommonValues {
  float pixels, rotation, spin, seed, time, cloud_cover;
  Vec2f light_origin;
  int should_dither;
};

Color4 to_color4(const Rgba8& c) {
  return {c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, c.a / 255.0f};
}

// A uniform's value from its row entry.
void apply(const LayerSetting& setting, const Planet& planet, const CommonValues& common,
           UniformValue& out) {
  switch (setting.source) {
    case ValueSource::Constant:
      out.v = setting.number;
      out.i = static_cast<int>(setting.number[0]);
      break;
    case ValueSource::Palette:
      for (std::uint8_t k = 0; k < setting.entry_count; ++k) {
        out.colors.push_back(to_color4(planet.colors.at(setting.entries[k])));
      }
      break;
    case ValueSource::RotationPlus: out.v[0] = common.rotation + setting.number[0]; break;
    case ValueSource::SpinPlus: out.v[0] = common.spin + setting.number[0]; break;
    case ValueSource::HalfPixels: out.v[0] = common.pixels / 2.0f; break;
  }
}

// A uniform's common value; false for one that has none (every such uniform is in the row).
bool apply_common(Uniform uniform, const CommonValues& common, UniformValue& out) {
  switch (uniform) {
    case U::Pixels: out.v[0] = common.pixels; return true;
    case U::Rotation: out.v[0] = common.rotation; return true;
    case U::Seed: out.v[0] = common.seed; return true;
    case U::Time: out.v[0] = common.time; return true;
    case U::CloudCover: out.v[0] = common.cloud_cover; return true;
    case U::LightOrigin: out.v = {common.light_origin.x, common.light_origin.y}; return true;
    case U::ShouldDither: out.i = common.should_dither; return true;
    default: return false;
  }
}

LayerDraw build_draw(const LayerRow& layer_row, const Planet& planet, const CommonValues& common) {
  std::array<const LayerSetting*, kUniformCount> row{};
  for (const LayerSetting& setting : layer_row.settings) row[static_cast<int>(setting.uniform)] = &setting;

  const MaterialInfo& info = material_info(layer_row.material);
  LayerDraw draw{layer_row.material, {}, common.pixels};
  draw.values.reserve(info.uniforms.size());
  // Only the uniforms the material declares are ever set.
  for (const UniformDecl& decl : info.uniforms) {
    UniformValue value;
    value.uniform = decl.uniform;
    value.type = decl.type;
    if (const LayerSetting* setting = row[static_cast<int>(decl.uniform)]) {
      apply(*setting, planet, common, value);
    } else if (!apply_common(decl.uniform, common, value)) {
      continue;
    }
    if (decl.uniform == U::Pixels) draw.art_pixels = value.v[0];
    draw.values.push_back(value);
  }
  return draw;
}

}  // namespace

std::string_view uniform_name(Uniform uniform) { return kUniformNames[static_cast<int>(uniform)]; }

const MaterialInfo& material_info(LayerMaterial material) {
  return kMaterials[static_cast<int>(material)];
}

std::span<const LayerRow> kind_layer_rows(PlanetKind kind) {
  return kKindLayers[static_cast<int>(kind)];
}

UniformValue* LayerDraw::find(Uniform uniform) {
  auto it = std::find_if(values.begin(), values.end(),
                         [uniform](const UniformValue& value) { return value.uniform == uniform; });
  return it == values.end() ? nullptr : &*it;
}

const UniformValue* LayerDraw::find(Uniform uniform) const {
  auto it = std::find_if(values.begin(), values.end(),
                         [uniform](const UniformValue& value) { return value.uniform == uniform; });
  return it == values.end() ? nullptr : &*it;
}

Square fit_square(float x, float y, float w, float h) {
  float side = std::fmin(w, h);  // fmin returns the other operand when one is NaN
  return {x + (w - side) / 2.0f, y + (h - side) / 2.0f, side};
}

float seed_uniform(std::uint64_t seed) { return static_cast<float>(seed % 1000) / 100.0f; }

std::vector<LayerDraw> layer_draws(const Planet& planet, float spin) {
  const CommonValues common{
      static_cast<float>(planet.pixels), spin + planet.rotation, spin, seed_uniform(planet.seed),
      planet.time, planet.cloud_cover, planet.light_origin, planet.should_dither ? 1 : 0};
  const std::span<const LayerRow> rows = kind_layer_rows(planet.kind);
  std::vector<LayerDraw> draws;
  for (std::size_t layer = 0; layer < rows.size(); ++layer) {
    if (layer >= planet.layers.size()) break;
    if (!planet.layers[layer].visible) continue;
    draws.push_back(build_draw(rows[layer], planet, common));
  }
  return draws;
}

}  // namespace planet
