// The scene: backdrop, planet, launch pads, player, boss and clones, then HUD and overlay.
#pragma once

#include <optional>

#include "base/pad_input.h"
#include "draw/canvas.h"
#include "game/game_state.h"
#include "layout/frame_geometry.h"

namespace ventora {

// The whole frame, read from the state, laid out as `geometry` says and recorded into `canvas`.
// Its hints name the buttons of `pad`, or the keyboard's keys without one.
void draw_scene(const GameState& state, Canvas& canvas, const FrameGeometry& geometry,
                std::optional<PadLayout> pad = std::nullopt);
// A picture outside the running frame (the warm-up, tools, tests): laid out for the canvas's size
// in the run's output mode.
void draw_scene(const GameState& state, Canvas& canvas, std::optional<PadLayout> pad = std::nullopt);

}  // namespace ventora
