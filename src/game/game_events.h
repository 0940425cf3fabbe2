// What the rules did in one frame, noted where each rule fires. The shell around the game reads
// it (the sound effects, the defeat cue); the run's state, and so its replays, hold none of it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "cards/catalogue.h"
#include "game/game_state.h"

namespace ventora {

// How a jump went up: a plain one, or one of Tick, Tock's alternating low and high ones.
enum class JumpKind : std::uint8_t { Plain, TickLow, TockHigh };

// What one strike met.
enum class StrikeResult : std::uint8_t {
  Nothing,  // no boss or clone within reach
  Guarded,  // the boss's guard shrugged it off
  Boss,     // it hurt the boss
  Clone,    // it took a clone off the planet
};

struct ScreenChange {
  Screen from;
  Screen to;
};

struct GameEvents {
  bool restarted = false;                     // R started a fresh run
  std::optional<ScreenChange> screen_change;  // the frame ended on another screen than it began
  std::optional<JumpKind> jump;
  bool landed = false;
  bool pad_wound_up = false;                           // a fired pad began its wind-up
  std::array<std::optional<StrikeResult>, 2> strikes;  // the strike each pad landed
  bool boss_hurt = false;         // the hit points the boss and its clones share went down
  bool boss_knocked_out = false;  // and reached 0
  bool player_hit = false;        // a touch or the fight's start damage took hit points
  bool shield_blocked = false;    // a shield block took a hit instead
  bool vampire_healed = false;    // Vampire's retaliation gave hit points back
  bool clones_appeared = false;   // a clone fight began after its count-in
  std::optional<bool> controls_flipped;  // Confuse turned the controls: true over, false back
  std::optional<Card> card_picked;
  std::optional<int> countdown_beat;  // the count-in shows a new number: 3, 2, 1, or 0 for "GO!"
};

}  // namespace ventora
