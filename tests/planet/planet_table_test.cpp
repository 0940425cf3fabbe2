// The layer tables without a GL context: square fitting, common values, per-layer exceptions,
// and that every layer sets exactly the uniforms its material declares.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <string>

#include "planet/gl/layer_table.h"
#include "planet/gl/shader_sources.h"

namespace planet {
namespace {

Planet make(PlanetKind kind, float rotation = 0.0f, std::uint64_t seed = 42) {
  PlanetParams params;
  params.seed = seed;
  params.rotation = rotation;
  params.pixels = 100;
  return create_planet(kind, params);
}

const UniformValue& value(const LayerDraw& draw, Uniform uniform) {
  if (const UniformValue* u = draw.find(uniform)) return *u;
  throw std::runtime_error("no uniform " + std::string(uniform_name(uniform)));
}

TEST(PlanetLayerTable, FitsTheLargestCentredSquare) {
  struct Case {
    float x, y, w, h;
    Square expected;
  };
  const Case cases[] = {
      {10, 20, 300, 200, {60, 20, 200}},
      {0, 0, 100, 300, {0, 100, 100}},
      {5, 5, 50, 50, {5, 5, 50}},
      {0, 0, NAN, 80, {NAN, 0, 80}},
  };
  for (const Case& c : cases) {
    const Square s = fit_square(c.x, c.y, c.w, c.h);
    EXPECT_EQ(s.side, c.expected.side);
    if (!std::isnan(c.expected.x)) {
      EXPECT_EQ(s.x, c.expected.x);
    }
    EXPECT_EQ(s.y, c.expected.y);
  }
}

TEST(PlanetLayerTable, SeedUniformIsSeedMod1000Over100) {
  EXPECT_FLOAT_EQ(seed_uniform(1234567890123466796ull), 7.96f);
  EXPECT_EQ(seed_uniform(1000), 0.0f);
  EXPECT_FLOAT_EQ(seed_uniform(999), 9.99f);
  const LayerDraw draw = layer_draws(make(PlanetKind::DryPlanet, 0, 1234567890123466796ull), 0)[0];
  EXPECT_FLOAT_EQ(value(draw, Uniform::Seed).v[0], 7.96f);
}

TEST(PlanetLayerTable, EveryLayerSetsExactlyItsMaterialsDeclaredUniforms) {
  for (int k = 0; k < kPlanetKindCount; ++k) {
    const auto kind = static_cast<PlanetKind>(k);
    const auto draws = layer_draws(make(kind), 0.3f);
    ASSERT_EQ(draws.size(), kind_layer_names(kind).size());
    for (const LayerDraw& draw : draws) {
      const MaterialInfo& info = material_info(draw.material);
      SCOPED_TRACE(std::string(kind_name(kind)) + " / " + std::string(info.name));
      ASSERT_EQ(draw.values.size(), info.uniforms.size());
      for (std::size_t i = 0; i < draw.values.size(); ++i) {
        EXPECT_EQ(draw.values[i].uniform, info.uniforms[i].uniform);
        EXPECT_EQ(draw.values[i].type, info.uniforms[i].type);
        if (info.uniforms[i].type == UniformType::Vec4Array) {
          EXPECT_EQ(draw.values[i].colors.size(), static_cast<std::size_t>(info.uniforms[i].count));
        }
      }
    }
  }
}

// Each kind's table has a row for each of the kind's layer names, in drawing order, and sets only
// uniforms its material declares (any other value would be dropped without a word).
TEST(PlanetLayerTable, EveryRowBelongsToItsKindsLayerAndMaterial) {
  for (int k = 0; k < kPlanetKindCount; ++k) {
    const auto kind = static_cast<PlanetKind>(k);
    SCOPED_TRACE(std::string(kind_name(kind)));
    const auto rows = kind_layer_rows(kind);
    const auto names = kind_layer_names(kind);
    ASSERT_EQ(rows.size(), names.size());
    for (std::size_t l = 0; l < rows.size(); ++l) {
      const MaterialInfo& info = material_info(rows[l].material);
      for (const LayerSetting& setting : rows[l].settings) {
        const bool declared = std::any_of(info.uniforms.begin(), info.uniforms.end(),
                                          [&](const UniformDecl& d) { return d.uniform == setting.uniform; });
        EXPECT_TRUE(declared) << names[l] << " sets " << uniform_name(setting.uniform) << ", which "
                              << info.name << " does not declare";
      }
    }
  }
}

TEST(PlanetLayerTable, KindExceptions) {
  // The ring adds 0.251 to the common rotation; the disk ignores the planet's rotation.
  const auto ringed = layer_draws(make(PlanetKind::RingedGiant, 0.2f), 0.5f);
  EXPECT_FLOAT_EQ(value(ringed[0], Uniform::Rotation).v[0], 0.7f);
  EXPECT_FLOAT_EQ(value(ringed[1], Uniform::Rotation).v[0], 0.951f);
  const auto hole = layer_draws(make(PlanetKind::BlackHole, 0.2f), 0.5f);
  EXPECT_FLOAT_EQ(value(hole[1], Uniform::Rotation).v[0], 1.266f);
  EXPECT_EQ(value(hole[1], Uniform::Pixels).v[0], 300.0f);
  EXPECT_EQ(hole[1].art_pixels, 300.0f);
  EXPECT_EQ(hole[0].values.size(), 4u) << "the core takes only pixels of the common values";

  const Planet gas = make(PlanetKind::GasGiant, 0, 1234567890123486810ull);
  const auto gas_draws = layer_draws(gas, 0);
  EXPECT_EQ(value(gas_draws[0], Uniform::CloudCover).v[0], 0.0f);
  EXPECT_EQ(value(gas_draws[1], Uniform::CloudCover).v[0], gas.cloud_cover);

  const auto ice = layer_draws(make(PlanetKind::IcePlanet), 0);
  for (const LayerDraw& d : ice) {
    EXPECT_EQ(value(d, Uniform::LightOrigin).v, (std::array<float, 2>{0.3f, 0.3f}));
  }
  const Planet ice_planet = make(PlanetKind::IcePlanet);
  const auto& cloud_colors = value(ice[2], Uniform::Colors).colors;
  EXPECT_EQ(cloud_colors[0][2], ice_planet.colors[8].b / 255.0f);
  EXPECT_EQ(cloud_colors[2][2], ice_planet.colors[6].b / 255.0f);

  const auto star = layer_draws(make(PlanetKind::Star), 0);
  EXPECT_EQ(value(star[1], Uniform::Pixels).v[0], 50.0f);
  EXPECT_EQ(value(star[2], Uniform::Pixels).v[0], 100.0f);
  EXPECT_TRUE(material_info(star[1].material).reads_raw_uv);
  EXPECT_TRUE(material_info(star[2].material).reads_raw_uv);
  EXPECT_FALSE(material_info(star[0].material).reads_raw_uv);

  const auto galaxy = layer_draws(make(PlanetKind::Galaxy), 0);
  EXPECT_EQ(value(galaxy[0], Uniform::NColors).i, 6) << "the galaxy shows its palette";

  Planet dry = make(PlanetKind::DryPlanet);
  dry.should_dither = false;
  EXPECT_EQ(value(layer_draws(dry, 0)[0], Uniform::ShouldDither).i, 0);
}

TEST(PlanetLayerTable, InvisibleAndMissingLayers) {
  Planet river = make(PlanetKind::RiverPlanet);
  river.layers[1].visible = false;
  auto draws = layer_draws(river, 0);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].material, LayerMaterial::LandRivers);
  river.layers[1].visible = true;
  river.layers[0].visible = false;
  draws = layer_draws(river, 0);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].material, LayerMaterial::Clouds);

  // A planet with fewer layers than its kind ends the drawing there.
  Planet lava = make(PlanetKind::LavaPlanet);
  lava.layers.resize(2);
  lava.layers[0].visible = false;
  draws = layer_draws(lava, 0);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].material, LayerMaterial::Craters);
}

// Every uniform a layer shader declares is declared by its material with the same type (a
// mismatch would silently leave it unset), except the water's two dither uniforms, which its
// material leaves at 0 on purpose.
TEST(PlanetLayerTable, ShaderUniformsMatchTheMaterialDeclarations) {
  const std::regex uniform_re(R"(uniform\s+(\w+)\s+(\w+)\s*(\[(\d+)\])?\s*;)");
  for (int m = 0; m < kLayerMaterialCount; ++m) {
    const auto material = static_cast<LayerMaterial>(m);
    const MaterialInfo& info = material_info(material);
    SCOPED_TRACE(std::string(info.name));
    const std::string source(fragment_source(material));
    EXPECT_EQ(source.rfind("#version 130\n", 0), 0u);
    int found = 0;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), uniform_re);
         it != std::sregex_iterator(); ++it) {
      const std::string type = (*it)[1], name = (*it)[2];
      const UniformDecl* decl = nullptr;
      for (const UniformDecl& d : info.uniforms) {
        if (uniform_name(d.uniform) == name) decl = &d;
      }
      if (decl == nullptr) {
        EXPECT_TRUE(info.name == "water" && (name == "dither_size" || name == "should_dither"))
            << "shader uniform " << name << " is never set";
        continue;
      }
      ++found;
      switch (decl->type) {
        case UniformType::Float: EXPECT_EQ(type, "float") << name; break;
        case UniformType::Int: EXPECT_EQ(type, "int") << name; break;
        case UniformType::Vec2: EXPECT_EQ(type, "vec2") << name; break;
        case UniformType::Vec4Array:
          EXPECT_EQ(type, "vec4") << name;
          EXPECT_EQ((*it)[4], std::to_string(decl->count)) << name;
          break;
      }
    }
    EXPECT_GT(found, 2);
  }
}

}  // namespace
}  // namespace planet
