// The pure rules of the frame loop, kept apart from the window so tests can hold them.
#pragma once

#include "game/game_state.h"

namespace ventora {

// A frame that took longer than this advances the game by this much only.
constexpr float kMaxFrameSeconds = 0.05f;

// The game's time step for a frame that took `seconds`.
float frame_dt(double seconds);

enum class DefeatCueChange { None, Start, Release };

// Entering Defeat starts the defeat cue; going from Defeat back to a fight (a restart) releases
// the playlist. Everything else leaves the music alone.
DefeatCueChange defeat_cue_change(Screen previous, Screen current);

}  // namespace ventora
