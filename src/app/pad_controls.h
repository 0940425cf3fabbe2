// Game controllers play through the keys and clicks the game already reads, so its rules do not
// change: the stick or d-pad runs, South (A) jumps, West, East or the right shoulder fire, Start
// continues, Back restarts. On the card choice the stick or d-pad moves the pointer from card box
// to card box, South takes the card it points at (or clicks where the mouse points, when the
// controller has not moved it), and West / North / East take cards 1 / 2 / 3, as the digit keys
// do.
// A controller press adds no key name, so the run's reseed hashes only the keyboard's keys.
#pragma once

#include <optional>

#include "base/frame_input.h"
#include "base/pad_input.h"
#include "game/game_state.h"
#include "layout/hud_scale.h"

namespace ventora {

// The card box the controller points at, kept from frame to frame while the card choice shows.
struct PadPointer {
  std::optional<int> box;  // 0..2
  Vec2 mouse_then;         // where the mouse was when the box was pointed at
};

// Adds this frame's controller buttons to `input` (the window's keys and mouse) for `screen`, its
// card boxes where `hud` puts them. A mouse that moves takes the pointer back from the controller.
void apply_pad(const PadInput& pad, Screen screen, const HudScale& hud, PadPointer& pointer,
               FrameInput& input);

}  // namespace ventora
