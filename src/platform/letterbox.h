// Where a fixed-size game picture goes on a larger output (fullscreen): scaled by the largest whole
// number that fits, centred, black around it, so every art pixel stays square and sharp. Pure
// geometry, shared by the picture's presentation and the mouse's way back into game units.
#pragma once

#include "base/values.h"

namespace ventora {

struct Letterbox {
  float x = 0, y = 0;  // top-left of the picture on the output, in output pixels
  float scale = 1;     // output pixels per game unit
  bool whole = true;   // a whole-number scale (false only when even 1× does not fit)
  friend bool operator==(const Letterbox&, const Letterbox&) = default;
};

// For a game picture of `game_w` × `game_h` on an output of `out_w` × `out_h` pixels. An output
// smaller than the picture (a 4K mode on a 1080p screen) gets the picture shrunk to fit instead,
// still centred with its proportions kept.
Letterbox letterbox(int game_w, int game_h, int out_w, int out_h);

// An output point back in game units (may fall outside the picture, on the borders).
Vec2 to_game_units(const Letterbox& box, Vec2 output_point);

}  // namespace ventora
