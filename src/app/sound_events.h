// Which sound effects a frame makes, told from the run as it was before the frame and as it is
// after it: the rules, the replays and the state hash know nothing of sound.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "base/frame_input.h"
#include "cards/catalogue.h"
#include "game/game_state.h"
#include "music/sound_effect.h"

namespace ventora {

// The little of a run that its sounds are told from.
struct SoundFacts {
  Screen screen = Screen::Fight;
  std::uint64_t jump_count = 0;
  bool airborne = false;
  float player_height = 0;
  std::int32_t player_hp = 0;
  float player_guard_time = 0;
  std::int32_t hit_cost = 0;  // what a hit on the player takes, by the cards held
  std::int32_t boss_hp = 0;
  float boss_speed = 0;
  std::array<LaunchPhase, 2> pads{};
  std::size_t active_clones = 0;
  std::int32_t shield_blocks = 0;
  bool tick_tock_high = false;
  bool confuse_active = false;
  bool controls_flipped = false;
  int countdown_number = 0;  // 3, 2, 1, or 0 for "GO!"
  std::optional<Card> last_pick;
  int hovered_card = -1;  // the card box under the pointer on the card choice, or -1
};

// The facts of `state`, with the pointer and the screen size of `input` for the hovered card.
SoundFacts sound_facts(const GameState& state, const FrameInput& input);

// The effects of a frame that took the run from `before` to `after` with `input`. A restart (R)
// makes no sound: the new run is not a change of the old one.
SoundEffects sound_events(const SoundFacts& before, const SoundFacts& after, const FrameInput& input);

}  // namespace ventora
