// The heads-up display: controls, hit points, enemies, stage, cards, stats and card timers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/pad_input.h"
#include "cards/modifier_stack.h"
#include "draw/canvas.h"
#include "game/game_state.h"
#include "layout/frame_geometry.h"
#include "layout/frame_layout.h"
#include "layout/hud_scale.h"

namespace ventora {

// A float printed as a whole number, halves to the even neighbour.
std::string whole_text(float v);
// "name: 100%×a%×b% = total%" over the modifiers of one movement kind.
std::string stat_text(const ModifierStack& stack, std::string_view name, ModifierKind kind, float total);
// The stat row of the HUD: run, jump, gravity, launch speed and damage both ways.
std::string stat_line(const ModifierStack& stack);
// Text starting so that it is centred on `centre_x` (or ends at `right_x`).
void text_centred(Canvas& canvas, std::string_view text, float centre_x, float baseline,
                  float font_size, Color colour);
void text_right(Canvas& canvas, std::string_view text, float right_x, float baseline,
                float font_size, Color colour);

// The baseline that keeps a line of `size` a quarter of the smaller font below the line of
// `above_size` whose baseline is `above`.
float baseline_below(const Canvas& canvas, float above, float above_size, float size);

// Laid out as `geometry` says. `pad`: the controller whose buttons the controls hint names;
// none for the keyboard.
void draw_hud(const GameState& state, Canvas& canvas, const FrameGeometry& geometry,
              std::optional<PadLayout> pad = std::nullopt);

}  // namespace ventora
