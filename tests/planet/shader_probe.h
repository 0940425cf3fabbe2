// Probes: a layer shader whose output is replaced by values it computed on the way, so that a
// test can check a rule (a threshold, a factor, a colour choice) against the very values the
// shader decided on, pixel by pixel, while the unprobed shader draws the picture under test.
#pragma once

#include <cmath>
#include <map>
#include <string>
#include <string_view>

#include "gl_fixture.h"
#include "planet/gl/shader_sources.h"

namespace planet::test {

// The material's source with its final `frag_color = ...;` replaced by vec4(<rgb>, 1.0).
inline std::string probe_source(LayerMaterial material, std::string_view rgb) {
  std::string source(fragment_source(material));
  const std::size_t at = source.rfind("frag_color =");
  const std::size_t end = at == std::string::npos ? at : source.find(';', at);
  if (end == std::string::npos) {
    ADD_FAILURE() << material_info(material).name << " has no final frag_color assignment";
    return source;
  }
  source.replace(at, end - at, "frag_color = vec4(" + std::string(rgb) + ", 1.0)");
  return source;
}

inline std::map<LayerMaterial, std::string>& probe_overrides() {
  static std::map<LayerMaterial, std::string> overrides;
  return overrides;
}

inline std::string_view probed_fragment_source(LayerMaterial material) {
  const auto it = probe_overrides().find(material);
  return it == probe_overrides().end() ? fragment_source(material) : std::string_view(it->second);
}

// The layer drawn through a probe into a size × size target: red, green and blue are the probe's
// three values, clamped to 0..1 in steps of 1/255.
inline Image probe_layer(const LayerDraw& draw, std::string_view rgb, int size) {
  probe_overrides()[draw.material] = probe_source(draw.material, rgb);
  Image image;
  {
    PlanetPainter painter(probed_fragment_source);
    const float side = static_cast<float>(size);
    image = render_layers(painter, {draw}, size, size, 0, 0, side, side);
  }
  probe_overrides().clear();
  return image;
}

// Channel c (0 red, 1 green, 2 blue, 3 alpha) of pixel (x, y) as 0..1.
inline float channel(const Image& image, int x, int y, int c) {
  const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)) * 4;
  return static_cast<float>(image.rgba[i + static_cast<std::size_t>(c)]) / 255.0f;
}

// The art-pixel coordinate the shaders compute for target pixel x of a `size` wide target.
inline float art_coordinate(int x, int size, float pixels) {
  return std::floor((static_cast<float>(x) + 0.5f) / static_cast<float>(size) * pixels) / pixels;
}

}  // namespace planet::test
