// The overlays of each screen: card choice, countdown, stage clear, victory and defeat.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/pad_input.h"
#include "draw/canvas.h"
#include "game/game_state.h"
#include "layout/frame_geometry.h"

namespace ventora {

// The last layer of the frame: the overlay of the current screen (nothing during a fight).
// Laid out as `geometry` says; its prompts name the buttons of `pad`, or the keyboard's keys
// without one.
void draw_overlay(const GameState& state, Canvas& canvas, const FrameGeometry& geometry,
                  std::optional<PadLayout> pad = std::nullopt);
// The lines of `text` broken at spaces so each is at most `limit` wide (a longer word stands alone).
std::vector<std::string> wrap_lines(const Canvas& canvas, std::string_view text, float font_size,
                                    float limit);
// Word-wrapped text centred in a box, at most `line_limit` lines, 1.25 font sizes apart.
void draw_wrapped(Canvas& canvas, std::string_view text, float box_x, float box_width,
                  float first_baseline, float font_size, Color colour, int line_limit);
// The countdown's big text for the time left.
std::string_view countdown_text(float countdown);

}  // namespace ventora
