// The scene: backdrop, planet, launch pads, player, boss and clones, then HUD and overlay.
#pragma once

#include "draw/canvas.h"
#include "game/game_state.h"

namespace ventora {

// The whole frame, read from the state and recorded into `canvas`.
void draw_scene(const GameState& state, Canvas& canvas);

}  // namespace ventora
