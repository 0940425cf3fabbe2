// A logic-level player for tests: it reads the GameState and answers with one frame of keys.
// It keeps the player on the far side of the planet from the boss and its clones (jumping when
// one comes close anyway) and fires a launch pad so its strike lands as a target walks into the
// pad's strike point.
#pragma once

#include "base/frame_input.h"
#include "game/game_state.h"
#include "random/rng.h"

namespace ventora::bot {

// The keys for one Fight frame of length `dt` (the frame the state is about to step through).
FrameInput fight_input(const GameState& state, float dt);

// Steps `update_game` (drawing from `rng`) with the bot's keys through Countdown and Fight frames
// of length `dt`, until the screen is something else or `max_frames` have passed. Returns the
// frames played. `time` is the clock handed to the frames; it advances by `dt` per frame.
int play_fight(GameState& state, Pcg32& rng, float dt, int max_frames, double* time = nullptr);

// An empty frame for `state`'s window: screen size as the output mode wants it, clock `time`.
FrameInput idle_input(const GameState& state, double time);

}  // namespace ventora::bot
