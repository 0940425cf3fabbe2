// FrameLayout: the geometry of one HD frame, shared by drawing and the draft's mouse tests so
// both agree on where things are.
#pragma once

#include <cstdint>
#include <optional>

#include "base/values.h"
#include "layout/render_settings.h"

namespace ventora {

struct FrameLayout {
  Vec2 center;
  float screen_width = 0;
  float screen_height = 0;
  std::int32_t pixel_size = 0;
  float scale = 0;  // planet radius in screen pixels
};

// The HD layout for the current screen size and preset.
FrameLayout make_frame_layout(OutputMode mode, float screen_width, float screen_height);
// The layout when the settings are in HD mode, nothing in OG mode.
std::optional<FrameLayout> frame_layout_for(const RenderSettings& settings, float screen_width,
                                            float screen_height);
// The scene unit: screen pixels per pixel of the 960 × 720 reference layout (planet radius / 165),
// 1 in OG output.
float scene_unit(const std::optional<FrameLayout>& layout);

}  // namespace ventora
