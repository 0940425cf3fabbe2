// The short note of the sound's level that shows for a moment after a mute or volume key, over
// whatever the frame draws.
#pragma once

#include <string>

#include "layout/hud_scale.h"
#include "draw/canvas.h"

namespace ventora {

struct VolumeNote {
  int percent = 100;
  bool muted = false;
  float opacity = 1;  // 1 while it shows, falling to 0 as it fades
};

// "Muted", or "Volume 70%".
std::string volume_note_text(const VolumeNote& note);

// The text on a dark band, centred near the bottom edge, at `opacity`; nothing once faded out.
void draw_volume_note(Canvas& canvas, const HudScale& scale, const VolumeNote& note);

}  // namespace ventora
