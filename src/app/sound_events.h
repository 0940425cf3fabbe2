// The sounds of a frame, from what its rules did: one table from the frame's events to the sound
// effects, and the defeat cue from its screen change. Nothing here looks at the run itself, and
// the rules, the replays and the state hash know nothing of sound.
#pragma once

#include <optional>

#include "game/game_events.h"
#include "music/sound_effect.h"

namespace ventora {

// The effects of a frame's events. A restart makes no sound: the new run is not a change of the
// old one.
SoundEffects sound_effects(const GameEvents& events);

// Whether the pointer came onto a card this frame: `hovered` is the card box under it now, while
// the card choice shows, and `hovered_before` the one after the frame before. Only a card choice
// that stayed up sounds, so one that opens under the pointer is silent.
bool card_hover_sounds(const GameEvents& events, std::optional<int> hovered_before,
                       std::optional<int> hovered);

enum class DefeatCueChange { None, Start, Release };

// Entering Defeat starts the defeat cue; going from Defeat back to a fight (a restart) releases
// the playlist. Everything else leaves the music alone.
DefeatCueChange defeat_cue_change(const GameEvents& events);

}  // namespace ventora
