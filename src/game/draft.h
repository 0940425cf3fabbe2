// The card draft: gathering key presses for the run's one-time reseed, drawing an offer, and
// reading the player's choice on the StageClear and CardChoice screens.
#pragma once

#include "base/frame_input.h"
#include "game/game_events.h"
#include "game/game_state.h"
#include "layout/hud_scale.h"
#include "random/rng.h"

namespace ventora {

// Gathers this frame's key presses until the quota is reached, then reseeds `rng` once.
void collect_entropy(GameState& state, Pcg32& rng, const FrameInput& input);
// Mixes the gathered key hashes and a draw of `rng` into its new seed, once per run.
void reseed_generator(GameState& state, Pcg32& rng);
// Three cards and their rarities, drawn from `rng`.
Offer draw_offer(Pcg32& rng);
// StageClear: on C or a click on "Continue" (where `hud` puts it), reseed if not yet done, draw
// an offer, CardChoice.
void handle_stage_clear(GameState& state, Pcg32& rng, const FrameInput& input, const HudScale& hud);
// CardChoice: on 1/2/3 or a click on a box (where `hud` puts them), apply the card and set up the
// next fight, noting both in `events`.
void handle_card_choice(GameState& state, const FrameInput& input, const HudScale& hud,
                        GameEvents& events);

}  // namespace ventora
