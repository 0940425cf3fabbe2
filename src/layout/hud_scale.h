// HudScale: the 960 × 720 reference screen's numbers in screen pixels, for the HUD, the overlays
// and the draft's mouse tests alike.
#pragma once

#include <cstdint>
#include <optional>

#include "layout/frame_layout.h"
#include "layout/reference_layout.h"

namespace ventora {

// Turns numbers of the 960 × 720 reference screen into screen pixels. In HD output horizontal
// values scale by W/960 and vertical ones by H/720; the HUD also snaps them to the pixel size.
struct HudScale {
  float width = kReferenceWidth;    // W
  float height = kReferenceHeight;  // H
  float sx = 1;
  float sy = 1;
  std::int32_t pixel_size = 1;

  // Snaps to the pixel grid when pixels are bigger than one (halves away from zero).
  float snap(float v) const;
  // Scaled and snapped, as the HUD draws.
  float x(float v) const { return snap(v * sx); }
  float y(float v) const { return snap(v * sy); }
  // A whole font size: scaled by sx, snapped, clamped to 0..65535 and truncated.
  float font(float size) const;
};

HudScale hud_scale(const std::optional<FrameLayout>& layout, float screen_width, float screen_height);

}  // namespace ventora
