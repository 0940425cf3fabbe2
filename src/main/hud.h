// The heads-up display: controls, hit points, enemies, stage, cards, stats and card timers.
#pragma once

#include <optional>
#include <string>

#include "main/frame_layout.h"
#include "main/game_state.h"
#include "platform/canvas.h"

namespace ventora {

void draw_hud(const GameState& state, Canvas& canvas, const std::optional<FrameLayout>& layout);

}  // namespace ventora
