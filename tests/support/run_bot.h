// Whole runs for tests, on top of the fight bot: it fights every stage, leaves the stage-clear
// panel with C or a click on "Continue", and picks cards with 1/2/3 or a click on a box. Clicks
// go to the rectangles the overlay actually drew, so what is drawn is what gets hit.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "random/rng.h"
#include "tests/support/bot.h"

namespace ventora::bot {

enum class PickWith : std::uint8_t { Keys, Mouse, Alternate };

// How the bot steers the jump count before the card after stage 4 is picked.
enum class Route : std::uint8_t { AsItComes, ThroughBonus, SkipBonus };

struct RunPlan {
  float dt = 1.0f / 60.0f;
  PickWith pick_with = PickWith::Alternate;
  Route route = Route::AsItComes;
  // From this stage on the bot stands still and lets the boss knock it out (0: never).
  std::uint64_t give_up_at_stage = 0;
  int max_frames = 200000;
  // The box (0..2) to take from an offer; by default the card the bot copes with best.
  std::function<int(const GameState&)> choose;
  // Steps one frame; by default update_game. A recording steps through the game's own frame.
  std::function<void(GameState&, Pcg32&, const FrameInput&, float)> step;
  // Called after every frame's update with the state and the frame's input, as a window would
  // draw them.
  std::function<void(const GameState&, const FrameInput&)> on_frame;
  // Ends the play after the first frame whose state it accepts (none, by default).
  std::function<bool(const GameState&)> until;
};

struct RunRecord {
  std::vector<std::uint64_t> stages;               // the stage of every fight, in order
  std::vector<Card> picked;                        // every card taken, in order
  std::vector<std::string> stage_clear_titles;     // as the stage-clear overlay drew them
  int key_picks = 0;
  int mouse_picks = 0;
  int key_continues = 0;
  int mouse_continues = 0;
  int frames = 0;
  double time = 0;                                 // the clock at the end
};

// The box of the best card for the bot in the current offer.
int preferred_box(const GameState& state);

// Plays from the current screen until Victory or Defeat (or `plan.max_frames`, or `plan.until`),
// drawing from `rng`.
RunRecord play_run(GameState& state, Pcg32& rng, const RunPlan& plan);

// Keeps stepping a finished run for `frames` more empty frames (confetti, timers).
void idle_frames(GameState& state, Pcg32& rng, float dt, int frames, double& time);

}  // namespace ventora::bot
