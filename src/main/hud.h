// The heads-up display: controls, hit points, enemies, stage, cards, stats and card timers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cards/modifier_stack.h"
#include "main/frame_layout.h"
#include "main/game_state.h"
#include "platform/canvas.h"

namespace ventora {

// Turns numbers of the 960 × 720 reference screen into screen pixels. In HD output horizontal
// values scale by W/960 and vertical ones by H/720; the HUD also snaps them to the pixel size.
struct HudScale {
  float width = 960;   // W
  float height = 720;  // H
  float sx = 1;
  float sy = 1;
  std::int32_t pixel_size = 1;

  // Snaps to the pixel grid when pixels are bigger than one (halves away from zero).
  float snap(float v) const;
  // Scaled and snapped, as the HUD draws.
  float x(float v) const { return snap(v * sx); }
  float y(float v) const { return snap(v * sy); }
  // A whole font size: scaled by sx, snapped, clamped to 0..65535 and truncated.
  float font(float size) const;
};

HudScale hud_scale(const std::optional<FrameLayout>& layout, float screen_width, float screen_height);

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

void draw_hud(const GameState& state, Canvas& canvas, const std::optional<FrameLayout>& layout);

}  // namespace ventora
