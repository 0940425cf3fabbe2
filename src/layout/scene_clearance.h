// Where the HUD's text may go in an HD frame without covering the game: clear of the player's
// column (the player jumps, so the column runs up to the top of the screen) and of the ring
// round the planet that the boss, its clones and the launch pads' strikes move through.
#pragma once

#include "layout/frame_layout.h"

namespace ventora {

// The largest x that a text spanning `top` to `bottom` (screen pixels) may reach.
float free_right_edge(const FrameLayout& layout, float top, float bottom);

}  // namespace ventora
