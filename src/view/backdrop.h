// The backdrop's low-resolution target, bound for drawing.
#pragma once

#include <optional>

#include "draw/canvas.h"
#include "layout/render_settings.h"

namespace ventora {

// The renderer owns the texture; the scene only names it. Its size follows the preset, so the
// renderer re-creates it when the mode changes.
constexpr TargetId kBackdropTargetId = 1;

// Binds the backdrop target of `settings`' preset with a camera that maps target pixels one to
// one, y down, and returns its size. Nothing, and nothing recorded, for presets without one.
std::optional<WindowSize> begin_backdrop_target(const RenderSettings& settings, Canvas& canvas);

}  // namespace ventora
