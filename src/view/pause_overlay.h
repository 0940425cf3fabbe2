// The veil over a paused game: "Paused", the controls of the device in use, where a strike lands,
// and how to resume and quit.
#pragma once

#include <optional>

#include "base/pad_input.h"
#include "draw/canvas.h"
#include "layout/hud_scale.h"

namespace ventora {

// Drawn over the whole frame; its texts name the buttons of `pad`, or the keyboard's keys.
void draw_pause_overlay(Canvas& canvas, const HudScale& scale, std::optional<PadLayout> pad);

}  // namespace ventora
