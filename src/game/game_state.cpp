#include "game/game_state.h"

#include <cmath>

#include "base/portable_trig.h"

namespace ventora {

float wrap_angle(float a) {
  float r = std::fmod(a, kTau);
  if (r < 0) r += kTau;
  // fmod of a value just below 0 plus 2π can round up to 2π itself.
  return r >= kTau ? 0.0f : r;
}

std::vector<BackdropStar> make_backdrop_stars() {
  std::vector<BackdropStar> stars;
  stars.reserve(90);
  for (int i = 0; i < 90; ++i) {
    const float fi = static_cast<float>(i);
    BackdropStar star;
    star.angle = fi * 2.399963f;  // the golden angle spreads the spiral evenly
    star.radius = (0.5f * portable_sin(53.17f * fi) + 0.5f) * 420.0f + 215.0f;
    star.size = (0.5f * portable_cos(19.41f * fi) + 0.5f) * 2.2f + 1.0f;
    star.brightness = (0.5f * portable_sin(7.13f * fi) + 0.5f) * 0.5f + 0.48f;
    stars.push_back(star);
  }
  return stars;
}

}  // namespace ventora
