#include "layout/hud_scale.h"

#include <algorithm>
#include <cmath>

#include "layout/snap.h"

namespace ventora {

float HudScale::snap(float v) const { return Snap{pixel_size}(v); }

float HudScale::font(float size) const {
  const float scaled = std::clamp(snap(size * sx), 0.0f, 65535.0f);
  return std::trunc(scaled);
}

HudScale hud_scale(const std::optional<FrameLayout>& layout, float screen_width, float screen_height) {
  HudScale s;
  if (!layout) {
    s.width = screen_width;
    s.height = screen_height;
    return s;
  }
  s.width = layout->screen_width;
  s.height = layout->screen_height;
  s.sx = s.width / kReferenceWidth;
  s.sy = s.height / kReferenceHeight;
  s.pixel_size = layout->pixel_size;
  return s;
}

}  // namespace ventora
