#include "render/letterbox.h"

#include <algorithm>
#include <cmath>

namespace ventora {

Letterbox letterbox(int game_w, int game_h, int out_w, int out_h, Scaling scaling) {
  game_w = std::max(game_w, 1);
  game_h = std::max(game_h, 1);
  out_w = std::max(out_w, 1);
  out_h = std::max(out_h, 1);
  const float fit = std::min(static_cast<float>(out_w) / static_cast<float>(game_w),
                             static_cast<float>(out_h) / static_cast<float>(game_h));
  Letterbox box;
  box.scale = scaling == Scaling::Whole && fit >= 1 ? std::floor(fit) : fit;
  box.whole = box.scale == std::floor(box.scale);
  // Whole output pixels for the corner, so a whole-number scale keeps every art pixel square.
  box.x = std::floor((static_cast<float>(out_w) - box.scale * static_cast<float>(game_w)) / 2);
  box.y = std::floor((static_cast<float>(out_h) - box.scale * static_cast<float>(game_h)) / 2);
  return box;
}

int nearest_prescale(const Letterbox& box) {
  return std::max(1, static_cast<int>(std::floor(box.scale)));
}

Vec2 to_game_units(const Letterbox& box, Vec2 output_point) {
  return {(output_point.x - box.x) / box.scale, (output_point.y - box.y) / box.scale};
}

}  // namespace ventora
