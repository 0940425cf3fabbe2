// One frame of `update_game` laid out as the frame loop lays it out: in the run's output mode, at
// the screen size `input` reports.
#pragma once

#include "game/run.h"

namespace ventora {

inline GameUpdate play_frame(GameState& state, Pcg32& rng, const FrameInput& input, float dt) {
  return update_game(state, rng, input, frame_geometry(state.render_settings.mode, input), dt);
}

}  // namespace ventora
