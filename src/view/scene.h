// The scene: backdrop, planet, launch pads, player, boss and clones, then HUD and overlay.
#pragma once

#include "game/game_state.h"
#include "platform/canvas.h"

namespace ventora {

// The whole frame. May (re)create the backdrop target inside the render settings.
void draw_scene(GameState& state, Canvas& canvas);

}  // namespace ventora
