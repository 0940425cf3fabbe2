#include "app/effect_cues.h"

namespace ventora {

void EffectCues::before_frame(const GameState& state) { before_ = sound_facts(state, pointer_); }

void EffectCues::after_frame(const GameState& state, const FrameInput& input) {
  player_.play(sound_events(before_, sound_facts(state, input), input), input.time);
  pointer_.mouse = input.mouse;
  pointer_.screen_width = input.screen_width;
  pointer_.screen_height = input.screen_height;
}

}  // namespace ventora
