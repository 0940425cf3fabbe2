// One headless GL context for the whole test program; without one GL tests skip (saying why), or
// fail under CI.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "headless_gl.h"
#include "planet/core/planet.h"
#include "planet/gl/planet_painter.h"
#include "tests/support/gl_status.h"
#include "tests/support/require_gl.h"

namespace planet::test {

using ventora::test::succeeded;

struct GlContext {
  std::unique_ptr<HeadlessGl> gl;
  std::string error;
};

inline GlContext& gl_context() {
  static GlContext context = [] {
    GlContext c;
    ventora::Result<std::unique_ptr<HeadlessGl>> made = HeadlessGl::create();
    if (made) {
      c.gl = std::move(made.value());
    } else {
      c.error = made.error().message;
    }
    return c;
  }();
  return context;
}

class GlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VENTORA_REQUIRE_GL(gl_context().gl != nullptr, gl_context().error);
  }
};

struct Pixel {
  std::uint8_t r, g, b, a;
  friend bool operator==(const Pixel&, const Pixel&) = default;
};

// Pixels of an offscreen target, addressed by (x, y) with y down.
struct Image {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
  Pixel at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
    return {rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]};
  }
  bool drawn(int x, int y) const { return at(x, y).a != 0; }
};

inline Pixel to_pixel(const Rgba8& c) { return {c.r, c.g, c.b, c.a}; }

// Draws `draws` into a transparent width × height target over the rectangle (x, y, w, h).
inline Image render_layers(PlanetPainter& painter, const std::vector<LayerDraw>& draws, int width,
                           int height, float x, float y, float w, float h, bool art_path = false) {
  gl::RenderTarget target;
  if (const ventora::Status made = target.resize(width, height); !made) {
    ADD_FAILURE() << made.error().message;
    return {};
  }
  target.bind();
  const auto projection = pixel_projection(static_cast<float>(width), static_cast<float>(height));
  EXPECT_TRUE(succeeded(painter.draw_layers(draws, x, y, w, h, projection.data(), art_path)));
  return {width, height, read_top_down(target)};
}

// The planet drawn alone into a size × size target.
inline Image render_planet(PlanetPainter& painter, const Planet& planet, int size, bool art_path,
                           float spin = 0) {
  const float side = static_cast<float>(size);
  return render_layers(painter, layer_draws(planet, spin), size, size, 0, 0, side, side, art_path);
}

inline Planet make_planet(PlanetKind kind, std::uint32_t pixels,
                          std::uint64_t seed = 1234567890123466796ull, float time = 1.5f) {
  PlanetParams params;
  params.seed = seed;
  params.pixels = pixels;
  params.time = time;
  return create_planet(kind, params);
}

// Sets a Float uniform of a prepared layer.
inline void set_value(LayerDraw& draw, Uniform uniform, float value) {
  if (UniformValue* u = draw.find(uniform)) {
    u->v[0] = value;
    return;
  }
  ADD_FAILURE() << "layer has no uniform " << uniform_name(uniform);
}

}  // namespace planet::test
