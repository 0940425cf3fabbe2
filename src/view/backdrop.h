// The backdrop's low-resolution target, bound for drawing.
#pragma once

#include "layout/render_settings.h"
#include "platform/canvas.h"

namespace ventora {

// Binds the backdrop target of `preset` (created or re-created when its size changed) with a
// camera that maps target pixels one to one, y down. False, and nothing recorded, without one.
bool begin_backdrop_target(RenderSettings& settings, Canvas& canvas);

}  // namespace ventora
