// Building the seventeen materials (once each) and the GL state draw_planet leaves behind.
#include <epoxy/gl.h>

#include <algorithm>
#include <array>
#include <string>

#include "gl_fixture.h"
#include "planet/gl/shader_sources.h"

namespace planet::test {
namespace {

using MaterialsTest = GlTest;

void draw_tiny(PlanetPainter& painter, PlanetKind kind) {
  render_planet(painter, make_planet(kind, 12), 16, true);
}

TEST_F(MaterialsTest, EachMaterialIsBuiltOnceOnFirstUse) {
  PlanetPainter painter;
  EXPECT_EQ(painter.materials_built(), 0);
  draw_tiny(painter, PlanetKind::DryPlanet);
  EXPECT_EQ(painter.materials_built(), 1);
  EXPECT_TRUE(painter.has_material(LayerMaterial::LandMasses));
  draw_tiny(painter, PlanetKind::IcePlanet);  // land_masses twice, clouds new
  EXPECT_EQ(painter.materials_built(), 2);
  draw_tiny(painter, PlanetKind::RiverPlanet);  // land_rivers new, clouds again
  EXPECT_EQ(painter.materials_built(), 3);
  draw_tiny(painter, PlanetKind::DryPlanet);
  EXPECT_EQ(painter.materials_built(), 3);
}

TEST_F(MaterialsTest, AllSeventeenCompileLinkAndDrawWithoutGlErrors) {
  while (glGetError() != GL_NO_ERROR) {
  }
  PlanetPainter painter;
  for (int round = 0; round < 2; ++round) {
    for (int k = 0; k < kPlanetKindCount; ++k) draw_tiny(painter, static_cast<PlanetKind>(k));
    EXPECT_EQ(painter.materials_built(), kLayerMaterialCount);
  }
  for (int m = 0; m < kLayerMaterialCount; ++m) {
    EXPECT_TRUE(painter.has_material(static_cast<LayerMaterial>(m)));
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MaterialsTest, DrawLeavesTheCallersStateAndBlendingOn) {
  PlanetPainter painter;
  gl::RenderTarget target;
  ASSERT_TRUE(target.resize(64, 48));
  target.bind();
  glViewport(3, 4, 50, 40);
  glEnable(GL_SCISSOR_TEST);
  GLint bound_framebuffer = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound_framebuffer);
  const auto projection = pixel_projection(50, 40);
  // The fast path renders through its own targets; the direct path does not.
  ASSERT_TRUE(succeeded(
      painter.draw_planet(make_planet(PlanetKind::LavaPlanet, 12), 0, 0, 50, 40, 0, projection.data())));

  GLint value = -1;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &value);
  EXPECT_EQ(value, bound_framebuffer);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 3);
  EXPECT_EQ(viewport[3], 40);
  EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
  glDisable(GL_SCISSOR_TEST);
  glGetIntegerv(GL_CURRENT_PROGRAM, &value);
  EXPECT_EQ(value, 0);
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &value);
  EXPECT_EQ(value, 0);
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &value);
  EXPECT_EQ(value, 0);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  glGetIntegerv(GL_BLEND_SRC_RGB, &value);
  EXPECT_EQ(value, GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST_RGB, &value);
  EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
}

// The built-in sources, except a craters shader that does not compile and no clouds shader.
std::string_view sources_with_broken_materials(LayerMaterial material) {
  if (material == LayerMaterial::Craters) return "#version 130\nvoid main() { no_such_function(); }\n";
  if (material == LayerMaterial::Clouds) return {};
  return fragment_source(material);
}

// A layer material that cannot be built is an error: one line naming it, then the compiler's log
// or why there is none. The draw that needs it draws nothing at all, though the planet's first
// layer builds, and the painter goes on drawing what does build.
TEST_F(MaterialsTest, AMaterialThatDoesNotBuildIsAnErrorAndDrawsNothing) {
  struct Case {
    PlanetKind kind;  // ground then craters; land masses then clouds
    const char* first_line;
    const char* in_log;
  };
  const Case cases[] = {
      {PlanetKind::CraterPlanet, "failed to load planet layer material: craters\n", "no_such_function"},
      {PlanetKind::IcePlanet, "failed to load planet layer material: clouds\n", "no shader source"},
  };
  PlanetPainter painter(sources_with_broken_materials);
  gl::RenderTarget target;
  ASSERT_TRUE(target.resize(16, 16));
  const auto projection = pixel_projection(16, 16);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(kind_name(c.kind)));
    clear_target(target, 0, 0, 0, 0);
    const ventora::Status drawn =
        painter.draw_planet(make_planet(c.kind, 12), 0, 0, 16, 16, 0, projection.data());
    ASSERT_FALSE(drawn);
    const std::string& message = drawn.error().message;
    EXPECT_EQ(message.rfind(c.first_line, 0), 0u) << message;
    EXPECT_NE(message.find(c.in_log), std::string::npos) << message;
    const std::vector<std::uint8_t> pixels = read_top_down(target);
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](std::uint8_t b) { return b == 0; }));
  }
  EXPECT_FALSE(painter.has_material(LayerMaterial::Craters));
  EXPECT_TRUE(painter.has_material(LayerMaterial::Ground));
  EXPECT_TRUE(succeeded(
      painter.draw_planet(make_planet(PlanetKind::DryPlanet, 12), 0, 0, 16, 16, 0, projection.data())));
}

// The built-in sources with the octave count always a uniform: the painter cannot fix it in them.
std::string_view sources_with_uniform_octaves(LayerMaterial material) {
  static std::array<std::string, kLayerMaterialCount> sources;
  std::string& source = sources[static_cast<int>(material)];
  if (source.empty()) {
    source = fragment_source(material);
    const std::string guarded = "#ifndef OCTAVES\nuniform int OCTAVES;\n#endif\n";
    if (const std::size_t at = source.find(guarded); at != std::string::npos) {
      source.replace(at, guarded.size(), "uniform int OCTAVES;\n");
    }
  }
  return source;
}

// A program with its octave count built in unrolls the noise loop, which must not change a pixel:
// every kind, drawn per target pixel, at two sizes.
TEST_F(MaterialsTest, OctaveCountsBuiltInDrawTheSamePixelsAsTheUniform) {
  PlanetPainter fixed;
  PlanetPainter uniform(sources_with_uniform_octaves);
  for (int k = 0; k < kPlanetKindCount; ++k) {
    const auto kind = static_cast<PlanetKind>(k);
    SCOPED_TRACE(std::string(kind_name(kind)));
    for (const std::uint32_t pixels : {48u, 100u}) {
      const Planet planet = make_planet(kind, pixels, 555000111ull + static_cast<unsigned>(k));
      const Image a = render_planet(fixed, planet, 100, false, 0.9f);
      const Image b = render_planet(uniform, planet, 100, false, 0.9f);
      EXPECT_TRUE(a.rgba == b.rgba) << pixels << " pixels";
    }
  }
  EXPECT_EQ(fixed.materials_built(), kLayerMaterialCount);
}

}  // namespace
}  // namespace planet::test
