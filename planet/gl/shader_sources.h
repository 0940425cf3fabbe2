// The composed shader sources compiled into the library.
#pragma once

#include <epoxy/gl.h>

#include <string_view>

#include "planet/gl/layer_table.h"

namespace planet {

// The vertex shader's attribute locations, bound before linking (GLSL 1.30 has no layout
// qualifiers).
constexpr GLuint kPositionAttribute = 0;
constexpr GLuint kTexcoordAttribute = 1;

std::string_view vertex_source();
// Samples the `art` texture at uv: draws an art-resolution target over the square (and the
// underlay around it).
std::string_view art_blit_source();
// An underlay texture with an art-resolution target over it, for the planet's square.
std::string_view art_compose_source();
// Empty for a material the build composed no shader for.
std::string_view fragment_source(LayerMaterial material);

}  // namespace planet
