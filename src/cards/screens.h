// The overlays of each screen: card choice, countdown, stage clear, victory and defeat.
#pragma once

#include <optional>

#include "main/frame_layout.h"
#include "main/game_state.h"
#include "platform/canvas.h"

namespace ventora {

void draw_overlay(const GameState& state, Canvas& canvas, const std::optional<FrameLayout>& layout);

}  // namespace ventora
