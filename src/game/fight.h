// The fight: player movement, the boss and its clones, launch pads, strikes and contact.
#pragma once

#include "base/frame_input.h"
#include "game/game_events.h"
#include "game/game_state.h"

namespace ventora {

// One frame of the Fight screen, its steps in their fixed order; what they do goes into `events`.
void fight_step(GameState& state, const FrameInput& input, float dt, GameEvents& events);
// The per-fight reset of begin_fight: facing, pads, boss (start angle, speed, hit points, no
// clones, no guard or flash) and the player back to standing with no planet turn.
void reset_fight(GameState& state);
// Places the clones of a clone fight (after the card effects of the fight start ran).
void place_clones(GameState& state);

}  // namespace ventora
