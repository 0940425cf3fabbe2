// The shared shader functions, evaluated by a small test shader built from the same snippet
// files as the layer shaders, against their formulas on the CPU.
#include <epoxy/gl.h>

#include <array>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gl_fixture.h"
#include "gl/handles.h"
#include "gl/program.h"
#include "planet/gl/shader_sources.h"

namespace planet::test {
namespace {

using ShaderFunctionsTest = GlTest;
using Vec4 = std::array<float, 4>;

std::string snippet(const std::string& name) {
  std::ifstream file(std::string(PLANET_SHADER_DIR) + "/" + name);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

struct Uniforms {
  float pixels = 100, size = 5, seed = 4.2f;
  int octaves = 1;
};

// Evaluates `body` (GLSL returning a vec4 from the vec2 `pt`) at each point, one fragment each.
std::vector<Vec4> evaluate(const std::string& body, const std::vector<std::array<float, 2>>& points,
                           const Uniforms& u, int rand_tiling = 0) {
  const std::string fragment =
      "#version 130\nin vec2 uv;\nout vec4 frag_color;\nuniform float pixels;\nuniform float size;\n"
      "uniform float seed;\nuniform vec2 points[16];\n#define RAND_TILING " +
      std::to_string(rand_tiling) + "\n" + snippet("pixel.glsl") + snippet("rotate.glsl") +
      snippet("spherify.glsl") + snippet("dither.glsl") + snippet("rand.glsl") + snippet("noise.glsl") +
      snippet("fbm.glsl") + "vec4 result(vec2 pt) {\n" + body +
      "\n}\nvoid main() {\n    frag_color = result(points[int(uv.x * 16.0)]);\n}\n";
  const ventora::Result<gl::Program> built = gl::build_program(
      vertex_source(), fragment, {{kPositionAttribute, "position"}, {kTexcoordAttribute, "texcoord"}});
  EXPECT_TRUE(built) << built.error().message;
  if (!built) return {};
  const GLuint program = built.value().id();

  // Float texels, so the functions' values come back unrounded.
  const gl::Texture texture = gl::Texture::make();
  glBindTexture(GL_TEXTURE_2D, texture.get());
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, 16, 1, 0, GL_RGBA, GL_FLOAT, nullptr);
  const gl::Framebuffer framebuffer = gl::Framebuffer::make();
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer.get());
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture.get(), 0);
  glViewport(0, 0, 16, 1);
  glDisable(GL_BLEND);

  // A clip-space quad: position in clip units, texcoord 0..1.
  const float quad[6][5] = {{-1, -1, 0, 0, 0}, {1, -1, 0, 1, 0}, {1, 1, 0, 1, 1},
                            {-1, -1, 0, 0, 0}, {1, 1, 0, 1, 1},  {-1, 1, 0, 0, 1}};
  const gl::VertexArray vertex_array = gl::VertexArray::make();
  glBindVertexArray(vertex_array.get());
  const gl::Buffer buffer = gl::Buffer::make();
  glBindBuffer(GL_ARRAY_BUFFER, buffer.get());
  glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STATIC_DRAW);
  glEnableVertexAttribArray(kPositionAttribute);
  glVertexAttribPointer(kPositionAttribute, 3, GL_FLOAT, GL_FALSE, 5 * sizeof(float), nullptr);
  glEnableVertexAttribArray(kTexcoordAttribute);
  glVertexAttribPointer(kTexcoordAttribute, 2, GL_FLOAT, GL_FALSE, 5 * sizeof(float),
                        reinterpret_cast<const void*>(3 * sizeof(float)));

  const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  glUseProgram(program);
  glUniformMatrix4fv(glGetUniformLocation(program, "Model"), 1, GL_FALSE, identity);
  glUniformMatrix4fv(glGetUniformLocation(program, "Projection"), 1, GL_FALSE, identity);
  glUniform1f(glGetUniformLocation(program, "pixels"), u.pixels);
  glUniform1f(glGetUniformLocation(program, "size"), u.size);
  glUniform1f(glGetUniformLocation(program, "seed"), u.seed);
  glUniform1i(glGetUniformLocation(program, "OCTAVES"), u.octaves);
  std::vector<float> flat(32, 0.0f);
  for (std::size_t i = 0; i < points.size() && i < 16; ++i) {
    flat[2 * i] = points[i][0];
    flat[2 * i + 1] = points[i][1];
  }
  glUniform2fv(glGetUniformLocation(program, "points"), 16, flat.data());
  glDrawArrays(GL_TRIANGLES, 0, 6);

  std::vector<Vec4> out(16);
  glReadPixels(0, 0, 16, 1, GL_RGBA, GL_FLOAT, out.data());
  out.resize(points.size());

  glUseProgram(0);
  glBindVertexArray(0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glEnable(GL_BLEND);
  return out;
}

const std::vector<std::array<float, 2>> kPoints = {
    {0.5f, 0.5f}, {1.0f, 0.5f}, {0.2f, 0.7f}, {0.375f, 0.371f}, {0.8f, 0.3f}, {0.61f, 0.43f}};

TEST_F(ShaderFunctionsTest, RotateSpherifyAndPixelate) {
  const auto out = evaluate("return vec4(rotate(pt, 1.5707964), spherify(pt));", kPoints, {});
  ASSERT_EQ(out.size(), kPoints.size());
  for (std::size_t i = 0; i < kPoints.size(); ++i) {
    const float x = kPoints[i][0] - 0.5f, y = kPoints[i][1] - 0.5f;
    const float angle = 1.5707964f;
    EXPECT_NEAR(out[i][0], x * std::cos(angle) - y * std::sin(angle) + 0.5f, 1e-5f) << i;
    EXPECT_NEAR(out[i][1], x * std::sin(angle) + y * std::cos(angle) + 0.5f, 1e-5f) << i;
    const float qx = 2 * kPoints[i][0] - 1, qy = 2 * kPoints[i][1] - 1;
    const float z = std::sqrt(1 - (qx * qx + qy * qy));
    EXPECT_NEAR(out[i][2], 0.5f * qx / (z + 1) + 0.5f, 1e-5f) << i;
    EXPECT_NEAR(out[i][3], 0.5f * qy / (z + 1) + 0.5f, 1e-5f) << i;
  }
  // rotate((1, 0.5), pi/2) = (0.5, 1); the centre and the rim point stay put under spherify.
  EXPECT_NEAR(out[1][0], 0.5f, 1e-6f);
  EXPECT_NEAR(out[1][1], 1.0f, 1e-6f);
  EXPECT_EQ(out[0][2], 0.5f);
  EXPECT_EQ(out[1][2], 1.0f);
  EXPECT_EQ(out[1][3], 0.5f);

  // With 100 pixels, [0.37, 0.38) pixelates to 0.37; a centre distance of exactly 0.5 is cut.
  const auto cut = evaluate("return vec4(pixelate(pt), cut_out(pixelate(pt)), cut_out(vec2(0.5, 0.01)));",
                            {{0.375f, 0.371f}, {1.0f, 0.5f}, {0.5f, 0.5f}}, {});
  EXPECT_FLOAT_EQ(cut[0][0], 0.37f);
  EXPECT_FLOAT_EQ(cut[0][1], 0.37f);
  EXPECT_EQ(cut[1][2], 0.0f);
  EXPECT_EQ(cut[2][2], 1.0f);
  EXPECT_EQ(cut[2][3], 1.0f);
}

TEST_F(ShaderFunctionsTest, NoiseAndFbm) {
  std::vector<std::array<float, 2>> points;
  for (const auto& p : kPoints) points.push_back({p[0] * 7.3f + 0.2f, p[1] * 5.1f + 1.7f});

  // One octave is half the noise; more octaves add finer, weaker noise.
  Uniforms one;
  const auto single = evaluate("return vec4(noise(pt), fbm(pt), rand(pt), rand(floor(pt)));", points, one);
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_FLOAT_EQ(single[i][1], 0.5f * single[i][0]) << i;
    EXPECT_GE(single[i][0], 0.0f);
    EXPECT_LT(single[i][0], 1.0f);
  }
  // At a lattice point the noise is the hash there.
  const auto lattice = evaluate("return vec4(noise(floor(pt)), rand(floor(pt)), 0.0, 0.0);", points, one);
  for (const Vec4& v : lattice) EXPECT_FLOAT_EQ(v[0], v[1]);

  Uniforms none = one;
  none.octaves = 0;
  for (const Vec4& v : evaluate("return vec4(fbm(pt), 0.0, 0.0, 1.0);", points, none)) EXPECT_EQ(v[0], 0.0f);

  // Seed 0 makes every hash, noise and fbm zero.
  Uniforms zero = one;
  zero.seed = 0;
  zero.octaves = 5;
  for (const Vec4& v : evaluate("return vec4(rand(pt), noise(pt), fbm(pt), 1.0);", points, zero)) {
    EXPECT_EQ(v[0], 0.0f);
    EXPECT_EQ(v[1], 0.0f);
    EXPECT_EQ(v[2], 0.0f);
  }
}

TEST_F(ShaderFunctionsTest, RandTilings) {
  // size 5 rounds to 5: 2:1 tiling repeats every 10 across and 5 down; 1:1 every 5 both ways.
  const std::string body = "return vec4(rand(pt), rand(pt + vec2(10.0, 0.0)), rand(pt + vec2(0.0, 5.0)), "
                           "rand(pt + vec2(5.0, 0.0)));";
  std::vector<std::array<float, 2>> points = {{1, 2}, {3, 4}, {2, 0}, {4, 1}};
  Uniforms u;
  u.size = 4.6f;
  const auto two = evaluate(body, points, u, 2);
  const auto one = evaluate(body, points, u, 1);
  const auto untiled = evaluate(body, points, u, 0);
  int repeats_untiled = 0, repeats_two_by_five = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_EQ(two[i][0], two[i][1]);
    EXPECT_EQ(two[i][0], two[i][2]);
    repeats_two_by_five += two[i][0] == two[i][3] ? 1 : 0;
    EXPECT_EQ(one[i][0], one[i][3]);
    EXPECT_EQ(one[i][0], one[i][2]);
    repeats_untiled += untiled[i][0] == untiled[i][1] ? 1 : 0;
  }
  EXPECT_EQ(repeats_two_by_five, 0);
  EXPECT_EQ(repeats_untiled, 0);
}

}  // namespace
}  // namespace planet::test
