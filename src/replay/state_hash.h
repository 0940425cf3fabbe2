// One 64-bit fingerprint of a whole game: every field of the GameState (floats by their bits,
// lists with their lengths) and the generator's state. Two runs with the same hash after a
// frame are, for all the replay can tell, in the same state.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "random/rng.h"

namespace ventora::replay {

// The fingerprint of `state` together with the state of the generator `rng` the run draws from.
std::uint64_t state_hash(const GameState& state, const Pcg32& rng);

}  // namespace ventora::replay
