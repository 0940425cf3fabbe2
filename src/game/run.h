// Run progression: the per-frame update, a new run, the set-up of a fight, winning and losing.
#pragma once

#include <optional>

#include "base/frame_input.h"
#include "game/game_events.h"
#include "game/game_state.h"
#include "game/run_seed.h"
#include "layout/frame_geometry.h"
#include "random/rng.h"

namespace ventora {

// What one frame of play did.
struct GameUpdate {
  GameEvents events;
  // The window size the game asks for when the window has drifted from its mode's size; the
  // frame loop applies it.
  std::optional<WindowSize> window_size;
};

// Everything one frame of play does: restart, entropy, card timers, window size, planet
// hand-off, confetti and the handler of the current screen, drawing from `rng`; the mouse is
// tested against the boxes and buttons where `geometry` puts them. A restart reads `clock` and
// keeps the run's output mode.
GameUpdate update_game(GameState& state, Pcg32& rng, const FrameInput& input,
                       const FrameGeometry& geometry, float dt,
                       const ClockSource& clock = read_system_clock);
// A fresh run at stage 1 in the output mode `mode`: `rng` seeded from `clock`.
GameState start_run(Pcg32& rng, ClockReading clock, OutputMode mode);
// Sets up the next fight right after a card was picked: next stage, resets, card effects,
// clones, start damage, count-in and the new planet; the start damage and the count-in's first
// number go into `events`.
void begin_fight(GameState& state, GameEvents& events);
// Called by combat when the boss's hit points reach 0 (the fight step goes on afterwards).
void win_fight(GameState& state);
// Called by combat when the player's hit points reach 0.
void lose_fight(GameState& state);
// The stage that follows `stage` when the card after it is picked.
std::uint64_t next_stage(std::uint64_t stage, std::uint64_t jump_count);
// The planet kind and seed of a stage, and the topping it yields.
struct StageInfo {
  planet::PlanetKind kind;
  std::uint64_t seed;
  const char* topping;
};
StageInfo stage_info(std::uint64_t stage);
// A new stage planet with the render settings' pixel count and dithering.
planet::Planet make_stage_planet(std::uint64_t stage, const RenderSettings& settings);
bool is_prime(std::uint64_t n);
// The victory confetti: spawn five pieces drawn from `rng`, move them, drop the fallen. The
// screen's size is given in the units the pieces move in.
void confetti_step(GameState& state, Pcg32& rng, float dt, double time, float screen_width,
                   float screen_height);

}  // namespace ventora
