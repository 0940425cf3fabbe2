// Which material each layer uses and which values its uniforms get.
#include "planet/gl/layer_table.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace planet {
namespace {

using T = UniformType;

constexpr UniformDecl kLandRivers[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"light_origin", T::Vec2},
    {"time_speed", T::Float}, {"dither_size", T::Float}, {"should_dither", T::Int},
    {"light_border_1", T::Float}, {"light_border_2", T::Float}, {"river_cutoff", T::Float},
    {"colors", T::Vec4Array, 6}, {"size", T::Float}, {"OCTAVES", T::Int}, {"seed", T::Float},
    {"time", T::Float}};
constexpr UniformDecl kLandMasses[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"light_origin", T::Vec2},
    {"time_speed", T::Float}, {"dither_size", T::Float}, {"should_dither", T::Int},
    {"light_border_1", T::Float}, {"light_border_2", T::Float}, {"land_cutoff", T::Float},
    {"colors", T::Vec4Array, 4}, {"size", T::Float}, {"OCTAVES", T::Int}, {"seed", T::Float},
    {"time", T::Float}};
constexpr UniformDecl kWater[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"light_origin", T::Vec2},
    {"time_speed", T::Float}, {"light_border_1", T::Float}, {"light_border_2", T::Float},
    {"land_cutoff", T::Float}, {"colors", T::Vec4Array, 3}, {"size", T::Float},
    {"OCTAVES", T::Int}, {"seed", T::Float}, {"time", T::Float}};
constexpr UniformDecl kGround[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"light_origin", T::Vec2},
    {"time_speed", T::Float}, {"dither_size", T::Float}, {"should_dither", T::Int},
    {"light_border_1", T::Float}, {"light_border_2", T::Float}, {"colors", T::Vec4Array, 3},
    {"size", T::Float}, {"OCTAVES", T::Int}, {"seed", T::Float}, {"time", T::Float}};
constexpr UniformDecl kCraters[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"light_origin", T::Vec2},
    {"time_speed", T::Float}, {"dither_size", T::Float}, {"should_dither", T::Int},
    {"light_border", T::Float}, {"colors", T::Vec4Array, 2}, {"size", T::Float},
    {"seed", T::Float}, {"time", T::Float}};
constexpr UniformDecl kLavaRivers[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"light_origin", T::Vec2},
    {"time_speed", T::Float}, {"light_border_1", T::Float}, {"light_border_2", T::Float},
    {"river_cutoff", T::Float}, {"colors", T::Vec4Array, 3}, {"size", T::Float},
    {"OCTAVES", T::Int}, {"seed", T::Float}, {"time", T::Float}};
// Shared by `clouds` and `gas_clouds`.
constexpr UniformDecl kClouds[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"cloud_cover", T::Float},
    {"light_origin", T::Vec2}, {"time_speed", T::Float}, {"stretch", T::Float},
    {"cloud_curve", T::Float}, {"light_border_1", T::Float}, {"light_border_2", T::Float},
    {"colors", T::Vec4Array, 4}, {"size", T::Float}, {"OCTAVES", T::Int}, {"seed", T::Float},
    {"time", T::Float}};
constexpr UniformDecl kGasLayers[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"cloud_cover", T::Float},
    {"light_origin", T::Vec2}, {"time_speed", T::Float}, {"stretch", T::Float},
    {"cloud_curve", T::Float}, {"light_border_1", T::Float}, {"light_border_2", T::Float},
    {"bands", T::Float}, {"should_dither", T::Int}, {"n_colors", T::Int},
    {"colors", T::Vec4Array, 3}, {"dark_colors", T::Vec4Array, 3}, {"size", T::Float},
    {"OCTAVES", T::Int}, {"seed", T::Float}, {"time", T::Float}};
constexpr UniformDecl kRing[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"light_origin", T::Vec2},
    {"time_speed", T::Float}, {"light_border_1", T::Float}, {"light_border_2", T::Float},
    {"ring_width", T::Float}, {"ring_perspective", T::Float}, {"scale_rel_to_planet", T::Float},
    {"should_dither", T::Int}, {"n_colors", T::Int}, {"colors", T::Vec4Array, 3},
    {"dark_colors", T::Vec4Array, 3}, {"size", T::Float}, {"OCTAVES", T::Int},
    {"seed", T::Float}, {"time", T::Float}};
constexpr UniformDecl kAsteroid[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"light_origin", T::Vec2},
    {"time_speed", T::Float}, {"dither_size", T::Float}, {"should_dither", T::Int},
    {"colors", T::Vec4Array, 3}, {"size", T::Float}, {"OCTAVES", T::Int}, {"seed", T::Float},
    {"time", T::Float}};
constexpr UniformDecl kBlackHole[] = {
    {"pixels", T::Float}, {"colors", T::Vec4Array, 3}, {"radius", T::Float},
    {"light_width", T::Float}};
constexpr UniformDecl kAccretionDisk[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"light_origin", T::Vec2},
    {"time_speed", T::Float}, {"disk_width", T::Float}, {"ring_perspective", T::Float},
    {"should_dither", T::Int}, {"colors", T::Vec4Array, 5}, {"n_colors", T::Int},
    {"size", T::Float}, {"OCTAVES", T::Int}, {"seed", T::Float}, {"time", T::Float}};
// `n_colors` is declared (and set to 6) so the galaxy shows its whole palette.
constexpr UniformDecl kGalaxy[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"time_speed", T::Float},
    {"dither_size", T::Float}, {"should_dither", T::Int}, {"colors", T::Vec4Array, 7},
    {"n_colors", T::Int}, {"size", T::Float}, {"OCTAVES", T::Int}, {"seed", T::Float},
    {"time", T::Float}, {"tilt", T::Float}, {"n_layers", T::Float},
    {"layer_height", T::Float}, {"zoom", T::Float}, {"swirl", T::Float},
    {"num_frames", T::Float}};
constexpr UniformDecl kStarBlobs[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"time_speed", T::Float},
    {"colors", T::Vec4Array, 1}, {"size", T::Float}, {"OCTAVES", T::Int}, {"seed", T::Float},
    {"time", T::Float}, {"circle_amount", T::Float}, {"circle_size", T::Float}};
constexpr UniformDecl kStar[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"time_speed", T::Float},
    {"colors", T::Vec4Array, 4}, {"n_colors", T::Int}, {"should_dither", T::Int},
    {"size", T::Float}, {"OCTAVES", T::Int}, {"seed", T::Float}, {"time", T::Float},
    {"TILES", T::Float}};
constexpr UniformDecl kStarFlares[] = {
    {"pixels", T::Float}, {"rotation", T::Float}, {"time_speed", T::Float},
    {"colors", T::Vec4Array, 2}, {"should_dither", T::Int}, {"storm_width", T::Float},
    {"storm_dither_width", T::Float}, {"scale", T::Float}, {"seed", T::Float},
    {"circle_amount", T::Float}, {"circle_scale", T::Float}, {"size", T::Float},
    {"OCTAVES", T::Int}, {"time", T::Float}};

// Indexed by LayerMaterial.
const MaterialInfo kMaterials[kLayerMaterialCount] = {
    {"land_rivers", kLandRivers, false},
    {"land_masses", kLandMasses, false},
    {"water", kWater, false},
    {"ground", kGround, false},
    {"craters", kCraters, false},
    {"lava_rivers", kLavaRivers, false},
    {"clouds", kClouds, false},
    {"gas_clouds", kClouds, false},
    {"gas_layers", kGasLayers, false},
    {"ring", kRing, false},
    {"asteroid", kAsteroid, false},
    {"black_hole", kBlackHole, false},
    {"accretion_disk", kAccretionDisk, false},
    {"galaxy", kGalaxy, false},
    {"star_blobs", kStarBlobs, false},
    {"star", kStar, true},          // dithers on the raw x coordinate
    {"star_flares", kStarFlares, true},  // likewise
};

UniformValue f(std::string_view name, float value) {
  UniformValue u;
  u.name = name;
  u.type = T::Float;
  u.v[0] = value;
  return u;
}
UniformValue i(std::string_view name, int value) {
  UniformValue u;
  u.name = name;
  u.type = T::Int;
  u.i = value;
  return u;
}
UniformValue v2(std::string_view name, float x, float y) {
  UniformValue u;
  u.name = name;
  u.type = T::Vec2;
  u.v = {x, y};
  return u;
}
Color4 to_color4(const Rgba8& c) {
  return {c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, c.a / 255.0f};
}
// Palette entries in the given order.
UniformValue pal(std::string_view name, const Planet& planet, std::initializer_list<int> entries) {
  UniformValue u;
  u.name = name;
  u.type = T::Vec4Array;
  for (int e : entries) u.colors.push_back(to_color4(planet.colors.at(static_cast<std::size_t>(e))));
  return u;
}
// Palette entries first..last.
UniformValue pal_range(std::string_view name, const Planet& planet, int first, int last) {
  UniformValue u;
  u.name = name;
  u.type = T::Vec4Array;
  for (int e = first; e <= last; ++e) u.colors.push_back(to_color4(planet.colors.at(static_cast<std::size_t>(e))));
  return u;
}

struct LayerSetup {
  LayerMaterial material;
  std::vector<UniformValue> values;  // wins over the common values
};

// The uniform table of every kind's layer (`layer` is the index in the kind's layer list).
LayerSetup layer_setup(const Planet& pl, std::size_t layer, float common_rotation, float spin,
                     float common_pixels) {
  using M = LayerMaterial;
  switch (pl.kind) {
    case PlanetKind::RiverPlanet:
      if (layer == 0)
        return {M::LandRivers,
                {f("time_speed", 0.2f), f("dither_size", 3.951f), f("light_border_1", 0.287f),
                 f("light_border_2", 0.476f), f("river_cutoff", 0.368f),
                 pal_range("colors", pl, 0, 5), f("size", 4.6f), i("OCTAVES", 6)}};
      return {M::Clouds,
              {f("time_speed", 0.14f), f("stretch", 2.0f), f("cloud_curve", 1.3f),
               f("light_border_1", 0.52f), f("light_border_2", 0.62f),
               pal_range("colors", pl, 6, 9), f("size", 7.315f), i("OCTAVES", 2)}};
    case PlanetKind::DryPlanet:
      return {M::LandMasses,
              {f("time_speed", 0.2f), f("dither_size", 3.0f), f("light_border_1", 0.4f),
               f("light_border_2", 0.5f), f("land_cutoff", 0.15f), pal_range("colors", pl, 0, 3),
               f("size", 5.0f), i("OCTAVES", 6)}};
    case PlanetKind::IslandPlanet:
      if (layer == 0)
        return {M::Water,
                {f("time_speed", 0.2f), f("light_border_1", 0.4f), f("light_border_2", 0.6f),
                 f("land_cutoff", 0.2f), pal_range("colors", pl, 0, 2), f("size", 5.228f),
                 i("OCTAVES", 3)}};
      if (layer == 1)
        return {M::LandMasses,
                {f("time_speed", 0.16f), f("dither_size", 3.0f), f("light_border_1", 0.32f),
                 f("light_border_2", 0.534f), f("land_cutoff", 0.633f),
                 pal_range("colors", pl, 3, 6), f("size", 4.292f), i("OCTAVES", 6)}};
      return {M::Clouds,
              {f("time_speed", 0.16f), f("stretch", 2.0f), f("cloud_curve", 1.3f),
               f("light_border_1", 0.52f), f("light_border_2", 0.62f),
               pal_range("colors", pl, 7, 10), f("size", 7.745f), i("OCTAVES", 2)}};
    case PlanetKind::CraterPlanet:
      if (layer == 0)
        return {M::Ground,
                {f("time_speed", 0.32f), f("dither_size", 5.0f), f("light_border_1", 0.615f),
                 f("light_border_2", 0.729f), pal_range("colors", pl, 0, 2), f("size", 8.0f),
                 i("OCTAVES", 4)}};
      return {M::Craters,
              {f("time_speed", 0.2f), f("dither_size", 5.0f), f("light_border", 0.465f),
               pal_range("colors", pl, 3, 4), f("size", 5.0f)}};
    case PlanetKind::GasGiant:
      if (layer == 0)
        return {M::GasClouds,
                {f("cloud_cover", 0.0f), f("time_speed", 0.09f), f("stretch", 1.0f),
                 f("cloud_curve", 1.3f), f("light_border_1", 0.692f), f("light_border_2", 0.666f),
                 pal_range("colors", pl, 0, 3), f("size", 9.0f), i("OCTAVES", 5)}};
      return {M::Clouds,
              {f("time_speed", 0.09f), f("stretch", 1.0f), f("cloud_curve", 1.3f),
               f("light_border_1", 0.439f), f("light_border_2", 0.746f),
               pal_range("colors", pl, 4, 7), f("size", 9.0f), i("OCTAVES", 5)}};
    case PlanetKind::RingedGiant:
      if (layer == 0)
        return {M::GasLayers,
                {f("time_speed", 0.08f), f("stretch", 1.0f), f("cloud_curve", 1.0f),
                 f("light_border_1", 0.4f), f("light_border_2", 0.6f), f("bands", 0.892f),
                 i("n_colors", 3), pal_range("colors", pl, 0, 2),
                 pal_range("dark_colors", pl, 3, 5), f("size", 10.107f), i("OCTAVES", 5)}};
      return {M::Ring,
              {f("rotation", common_rotation + 0.251f), f("time_speed", 0.251f),
               f("light_border_1", 0.0f), f("light_border_2", 0.0f), f("ring_width", 0.1f),
               f("ring_perspective", 14.0f), f("scale_rel_to_planet", 1.0f), i("n_colors", 3),
               pal_range("colors", pl, 0, 2), pal_range("dark_colors", pl, 3, 5),
               f("size", 6.598f), i("OCTAVES", 3)}};
    case PlanetKind::IcePlanet:
      if (layer == 0)
        return {M::LandMasses,
                {v2("light_origin", 0.3f, 0.3f), f("time_speed", 0.08f), f("dither_size", 3.0f),
                 f("light_border_1", 0.4f), f("light_border_2", 0.55f), f("land_cutoff", 0.4f),
                 pal_range("colors", pl, 0, 3), f("size", 5.0f), i("OCTAVES", 6)}};
      if (layer == 1)
        return {M::LandMasses,
                {v2("light_origin", 0.3f, 0.3f), f("time_speed", 0.08f), f("dither_size", 3.0f),
                 f("light_border_1", 0.45f), f("light_border_2", 0.6f), f("land_cutoff", 0.55f),
                 pal_range("colors", pl, 4, 7), f("size", 5.0f), i("OCTAVES", 6)}};
      return {M::Clouds,
              {v2("light_origin", 0.3f, 0.3f), f("time_speed", 0.08f), f("stretch", 2.5f),
               f("cloud_curve", 1.0f), f("light_border_1", 0.566f), f("light_border_2", 0.781f),
               pal("colors", pl, {8, 9, 6, 7}), f("size", 4.0f), i("OCTAVES", 4)}};
    case PlanetKind::LavaPlanet:
      if (layer == 0)
        return {M::Ground,
                {f("time_speed", 0.4f), f("dither_size", 3.5f), f("light_border_1", 0.4f),
                 f("light_border_2", 0.6f), pal_range("colors", pl, 0, 2), f("size", 10.0f),
                 i("OCTAVES", 3)}};
      if (layer == 1)
        return {M::Craters,
                {f("time_speed", 0.16f), f("dither_size", 3.5f), f("light_border", 0.4f),
                 pal_range("colors", pl, 3, 4), f("size", 3.5f)}};
      return {M::LavaRivers,
              {f("time_speed", 0.4f), f("light_border_1", 0.019f), f("light_border_2", 0.036f),
               f("river_cutoff", 0.579f), pal_range("colors", pl, 5, 7), f("size", 10.0f),
               i("OCTAVES", 4)}};
    case PlanetKind::Asteroid:
      return {M::Asteroid,
              {f("time_speed", 0.2f), f("dither_size", 3.0f), pal_range("colors", pl, 0, 2),
               f("size", 5.294f), i("OCTAVES", 2)}};
    case PlanetKind::BlackHole:
      if (layer == 0)
        return {M::BlackHole,
                {pal_range("colors", pl, 0, 2), f("radius", 0.4f), f("light_width", 0.05f)}};
      return {M::AccretionDisk,
              {f("pixels", 300.0f), f("rotation", spin + 0.766f), v2("light_origin", 0.607f, 0.444f),
               f("time_speed", 0.2f), f("disk_width", 0.065f), f("ring_perspective", 14.0f),
               pal_range("colors", pl, 0, 4), i("n_colors", 5), f("size", 6.598f),
               i("OCTAVES", 3)}};
    case PlanetKind::Galaxy:
      return {M::Galaxy,
              {f("time_speed", 1.0f), f("dither_size", 2.0f), pal_range("colors", pl, 0, 6),
               i("n_colors", 6), f("size", 7.0f), i("OCTAVES", 1), f("tilt", 3.0f),
               f("n_layers", 4.0f), f("layer_height", 0.4f), f("zoom", 1.375f),
               f("swirl", -9.0f), f("num_frames", 6.0f)}};
    case PlanetKind::Star:
      if (layer == 0)
        return {M::StarBlobs,
                {f("time_speed", 0.1f), pal_range("colors", pl, 0, 0), f("size", 4.93f),
                 i("OCTAVES", 4), f("circle_amount", 0.5f), f("circle_size", 1.0f)}};
      if (layer == 1)
        return {M::Star,
                {f("pixels", common_pixels / 2.0f), f("time_speed", 0.04f),
                 pal_range("colors", pl, 0, 3), i("n_colors", 4), f("size", 4.463f),
                 i("OCTAVES", 4), f("TILES", 1.0f)}};
      return {M::StarFlares,
              {f("time_speed", 0.06f), pal_range("colors", pl, 0, 1), f("storm_width", 0.2f),
               f("storm_dither_width", 0.1f), f("scale", 1.0f), f("circle_amount", 0.5f),
               f("circle_scale", 1.0f), f("size", 50.0f), i("OCTAVES", 4)}};
  }
  return {M::LandMasses, {}};
}

const UniformValue* find(const std::vector<UniformValue>& values, std::string_view name) {
  auto it = std::find_if(values.begin(), values.end(),
                         [&](const UniformValue& u) { return u.name == name; });
  return it == values.end() ? nullptr : &*it;
}

}  // namespace

const MaterialInfo& material_info(LayerMaterial material) {
  return kMaterials[static_cast<int>(material)];
}

Square fit_square(float x, float y, float w, float h) {
  float side = std::fmin(w, h);  // fmin returns the other operand when one is NaN
  return {x + (w - side) / 2.0f, y + (h - side) / 2.0f, side};
}

float seed_uniform(std::uint64_t seed) { return static_cast<float>(seed % 1000) / 100.0f; }

std::vector<LayerDraw> layer_draws(const Planet& planet, float spin) {
  const float pixels = static_cast<float>(planet.pixels);
  const float rotation = spin + planet.rotation;
  const std::vector<UniformValue> common = {
      f("pixels", pixels),
      f("rotation", rotation),
      f("seed", seed_uniform(planet.seed)),
      f("time", planet.time),
      v2("light_origin", planet.light_origin.x, planet.light_origin.y),
      f("cloud_cover", planet.cloud_cover),
      i("should_dither", planet.should_dither ? 1 : 0),
  };

  std::vector<LayerDraw> draws;
  const std::size_t kind_layers = kind_layer_names(planet.kind).size();
  for (std::size_t layer = 0; layer < kind_layers; ++layer) {
    if (layer >= planet.layers.size()) break;
    if (!planet.layers[layer].visible) continue;
    LayerSetup setup = layer_setup(planet, layer, rotation, spin, pixels);
    LayerDraw draw{setup.material, {}, pixels};
    // Only the uniforms the material declares are ever set.
    for (const UniformDecl& decl : material_info(setup.material).uniforms) {
      const UniformValue* value = find(setup.values, decl.name);
      if (value == nullptr) value = find(common, decl.name);
      if (value != nullptr) draw.values.push_back(*value);
    }
    if (const UniformValue* art = find(draw.values, "pixels")) draw.art_pixels = art->v[0];
    draws.push_back(std::move(draw));
  }
  return draws;
}

}  // namespace planet
