// The sound effects of each running frame: what the frame's rules did, and the pointer coming
// onto a card, played at the frame's clock.
#pragma once

#include <optional>

#include "game/game_events.h"
#include "music/effect_player.h"

namespace ventora {

class EffectCues {
 public:
  // Plays through `player`, which must outlive the cues.
  explicit EffectCues(EffectPlayer& player) : player_(player) {}

  // After the frame's update: the effects of its `events`, and the hover when `hovered`, the card
  // box under the pointer while the card choice shows, is a new one.
  void play(const GameEvents& events, std::optional<int> hovered, double time);

 private:
  EffectPlayer& player_;
  std::optional<int> hovered_;  // the card box under the pointer after the last frame
};

}  // namespace ventora
