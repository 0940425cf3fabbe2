// The geometry of one frame, worked out once a frame from the output mode and the screen size and
// handed to everything that needs it: the controller's pointer, the draft's mouse tests, the
// confetti, the sound cues and the drawing.
#pragma once

#include <optional>

#include "base/frame_input.h"
#include "layout/frame_layout.h"
#include "layout/hud_scale.h"
#include "layout/output_mode.h"

namespace ventora {

struct FrameGeometry {
  std::optional<FrameLayout> layout;  // the HD layout; nothing in OG output
  HudScale hud;
};

FrameGeometry frame_geometry(OutputMode mode, float screen_width, float screen_height);
// The geometry of the screen size `input` reports.
inline FrameGeometry frame_geometry(OutputMode mode, const FrameInput& input) {
  return frame_geometry(mode, input.screen_width, input.screen_height);
}

}  // namespace ventora
