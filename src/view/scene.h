// The scene: backdrop, planet, launch pads, player, boss and clones, then HUD and overlay.
#pragma once

#include "game/game_state.h"
#include "platform/canvas.h"

namespace ventora {

// The whole frame, read from the state and recorded into `canvas`.
void draw_scene(const GameState& state, Canvas& canvas);

}  // namespace ventora
