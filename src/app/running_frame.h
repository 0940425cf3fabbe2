// The steps of one running frame in their fixed order. The window's loop runs them, and so does
// every tool that must drive the game exactly as the window does.
#pragma once

#include <optional>

#include "app/effect_cues.h"
#include "base/frame_input.h"
#include "draw/draw_list.h"
#include "game/game_state.h"
#include "game/run_seed.h"
#include "layout/frame_geometry.h"
#include "layout/render_settings.h"
#include "music/music_player.h"
#include "random/rng.h"

namespace ventora {

struct FrameOutcome {
  bool quit = false;                      // Escape: the program ends, nothing was updated or drawn
  std::optional<WindowSize> window_size;  // the game asked the window for this size
};

// Escape first; then the music's tick, `update_game` with `dt`, the defeat cue and the sound
// effects (with `effects`) from what the frame did, the game's window-size request handed back,
// and `draw_scene` into `list`. The music and the run draw from `rng`; the frame is laid out as
// `geometry` says; a restart reads `clock`.
FrameOutcome run_frame(GameState& state, Pcg32& rng, MusicPlayer* music, const FrameInput& input,
                       const FrameGeometry& geometry, float dt, DrawList& list,
                       const ClockSource& clock = read_system_clock,
                       EffectCues* effects = nullptr);

}  // namespace ventora
