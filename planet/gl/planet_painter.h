// PlanetPainter: draws a Planet as its stack of shader layers into a square. Owns the seventeen
// layer materials (each built on first use, never rebuilt) and the art-resolution targets of the
// fast path. Needs a current OpenGL 3.3 (core or compatibility) context on the calling thread.
#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "base/result.h"
#include "planet/core/planet.h"
#include "planet/gl/layer_table.h"

namespace planet {

// Where a painter takes its layer shaders' sources from (the built-in ones unless a test says
// otherwise).
using FragmentSourceFn = std::string_view (*)(LayerMaterial material);

// A picture laid under the planet (a backdrop): an opaque RGBA texture shown with nearest
// filtering over the rectangle (x, y, w, h) of the caller's units, its row 0 at the top. The
// rectangle covers the whole viewport.
struct Underlay {
  unsigned texture = 0;
  float x = 0, y = 0, w = 0, h = 0;
};

// A draw gives an error, having drawn nothing, when a program it needs does not build: "failed to
// load planet layer material: <material>", a line break and the compiler's log.
class PlanetPainter {
 public:
  explicit PlanetPainter(FragmentSourceFn fragment_source = nullptr);
  // Frees the GL objects: call with the painter's context current.
  ~PlanetPainter();
  PlanetPainter(const PlanetPainter&) = delete;
  PlanetPainter& operator=(const PlanetPainter&) = delete;

  // Draws the planet's visible layers back to front into the largest square centred in the
  // rectangle (x, y, w, h). `projection` is a column-major 4×4 matrix from the caller's units
  // (y down) to clip space. Layers whose shader reads only the art-pixel coordinate are rendered
  // at their art resolution and scaled up with nearest filtering. Leaves blending on with
  // SRC_ALPHA / ONE_MINUS_SRC_ALPHA and no program, vertex array or buffer bound.
  ventora::Status draw_planet(const Planet& planet, float x, float y, float w, float h, float spin,
                              const float projection[16]);
  // The underlay and then the planet, as draw_planet draws it over what is there; when the planet's
  // first layers are drawn at art resolution, the underlay and those layers reach the viewport in
  // one opaque pass instead of two. False, and nothing drawn, when they are not.
  ventora::Result<bool> draw_planet_over(const Underlay& underlay, const Planet& planet, float x,
                                         float y, float w, float h, float spin,
                                         const float projection[16]);
  // The underlay alone, opaque: what draw_planet_over draws around the planet's square.
  ventora::Status draw_underlay(const Underlay& underlay, const float projection[16]);
  // The same picture with every layer's shader run at every target pixel (the reference).
  ventora::Status draw_planet_direct(const Planet& planet, float x, float y, float w, float h,
                                     float spin, const float projection[16]);

  // Draws prepared layers (from layer_draws, values possibly changed) into the square of the
  // rectangle, through the art targets where `art_path` allows: for tests and tools.
  ventora::Status draw_layers(std::span<const LayerDraw> draws, float x, float y, float w, float h,
                              const float projection[16], bool art_path);

  // How many materials have been built so far (each at most once, though a material whose noise
  // runs with different octave counts builds one program per count).
  int materials_built() const;
  // The layer programs built so far, one per material and octave count.
  int programs_built() const;
  bool has_material(LayerMaterial material) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace planet
