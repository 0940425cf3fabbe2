// The composed shader sources compiled into the library.
#pragma once

#include <string_view>

#include "planet/gl/layer_table.h"

namespace planet {

std::string_view vertex_source();
// Samples the `art` texture at uv: draws an art-resolution target over the square.
std::string_view art_blit_source();
std::string_view fragment_source(LayerMaterial material);

}  // namespace planet
