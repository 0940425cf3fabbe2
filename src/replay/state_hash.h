// One 64-bit fingerprint of a whole game: every field of the GameState (floats by their bits,
// lists with their lengths) and the shared generator's state. Two runs with the same hash after a
// frame are, for all the replay can tell, in the same state.
#pragma once

#include <cstdint>

#include "game/game_state.h"

namespace ventora::replay {

// The fingerprint of `state` together with the shared generator's current state.
std::uint64_t state_hash(const GameState& state);

}  // namespace ventora::replay
