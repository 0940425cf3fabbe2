// Where a fixed-size game picture goes on an output of another size (fullscreen, or a window the
// window manager sized): centred with its proportions kept, black around it. Pure geometry, shared
// by the picture's presentation and the mouse's way back into game units.
#pragma once

#include "base/values.h"

namespace ventora {

enum class Scaling {
  Fill,   // the largest size of the picture's shape that fits
  Whole,  // the largest whole-number scale that fits, so every art pixel stays square and sharp
};

struct Letterbox {
  float x = 0, y = 0;  // top-left of the picture on the output, in output pixels
  float scale = 1;     // output pixels per game unit
  bool whole = true;   // a whole-number scale
  friend bool operator==(const Letterbox&, const Letterbox&) = default;
};

// For a game picture of `game_w` × `game_h` on an output of `out_w` × `out_h` pixels. An output
// smaller than the picture (a 4K mode on a 1080p screen) gets the picture shrunk to fit in either
// scaling, still centred with its proportions kept.
Letterbox letterbox(int game_w, int game_h, int out_w, int out_h, Scaling scaling);

// The whole factor the picture is blown up by with nearest filtering before a last, smoothing
// step to the box's own scale: the box's scale when it is whole, 1 when the picture shrinks.
int nearest_prescale(const Letterbox& box);

// An output point back in game units (may fall outside the picture, on the borders).
Vec2 to_game_units(const Letterbox& box, Vec2 output_point);

}  // namespace ventora
