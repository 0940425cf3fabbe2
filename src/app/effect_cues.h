// The sound effects of each running frame: the facts of the run are read before the frame and
// after it, and what changed is played.
#pragma once

#include "app/sound_events.h"
#include "base/frame_input.h"
#include "game/game_state.h"
#include "music/effect_player.h"

namespace ventora {

class EffectCues {
 public:
  // Plays through `player`, which must outlive the cues.
  explicit EffectCues(EffectPlayer& player) : player_(player) {}

  // Before the frame's update.
  void before_frame(const GameState& state);
  // After it: plays what the frame changed, at the frame's clock.
  void after_frame(const GameState& state, const FrameInput& input);

 private:
  EffectPlayer& player_;
  FrameInput pointer_;  // the last frame's pointer and screen size: what was hovered before
  SoundFacts before_;
};

}  // namespace ventora
