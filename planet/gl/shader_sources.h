// The composed shader sources compiled into the library.
#pragma once

#include <string_view>

#include "planet/gl/layer_table.h"

namespace planet {

std::string_view vertex_source();
// Samples the `art` texture at uv: draws an art-resolution target over the square (and the
// underlay around it).
std::string_view art_blit_source();
// An underlay texture with an art-resolution target over it, for the planet's square.
std::string_view art_compose_source();
std::string_view fragment_source(LayerMaterial material);

}  // namespace planet
