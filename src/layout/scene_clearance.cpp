#include "layout/scene_clearance.h"

#include <algorithm>
#include <cmath>

namespace ventora {

namespace {

// In scene units, as the figures are drawn: the player's shield aura at its widest, and the
// farthest anything reaches above the ground (a strike's spike with its tip; the boss's
// hit-point pips reach 66.5).
constexpr float kPlayerHalfWidth = 32;
constexpr float kFigureReach = 70;

}  // namespace

float free_right_edge(const FrameLayout& layout, float top, float bottom) {
  const float u = scene_unit(layout);
  // One art pixel more on each bound: the figures are snapped to the art-pixel grid.
  const float slack = static_cast<float>(layout.pixel_size);
  const float column_left = layout.center.x - kPlayerHalfWidth * u - slack;
  const float ring = layout.scale + kFigureReach * u + slack;
  // The ring is widest at the height of the planet's centre; elsewhere at the span's nearest row.
  const float dy = std::max({0.0f, top - layout.center.y, layout.center.y - bottom});
  if (dy >= ring) return column_left;
  return std::min(column_left, layout.center.x - std::sqrt(ring * ring - dy * dy));
}

}  // namespace ventora
