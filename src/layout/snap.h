// Pixel snapping of the HD sprites: positions and sizes land on whole art pixels so the figures
// stay as chunky as the backdrop.
#pragma once

#include <algorithm>
#include <cmath>

#include "base/values.h"

namespace ventora {

struct Snap {
  int pixel_size = 0;  // below 2 nothing is snapped

  // Nearest multiple of the art pixel, halves away from zero.
  float operator()(float v) const {
    if (pixel_size < 2) return v;
    const float p = static_cast<float>(pixel_size);
    return std::round(v / p) * p;
  }
  Vec2 operator()(Vec2 v) const { return {(*this)(v.x), (*this)(v.y)}; }
  // A size that must stay visible: snapped first, then at least 1.
  float at_least_one(float v) const { return std::max((*this)(v), 1.0f); }
};

}  // namespace ventora
