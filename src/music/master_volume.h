// The level everything plays at, as the mute and volume keys set it.
#pragma once

#include "base/sound_keys.h"

namespace ventora {

struct MasterVolume {
  static constexpr int kStep = 10;  // percent per key press
  int percent = 100;
  bool muted = false;
};

// The level after a key: M mutes or unmutes; + and - step the volume between 0 and 100 % and unmute.
MasterVolume after_key(MasterVolume level, SoundKey key);

// What the output's master volume is set to: 0 when muted, otherwise the square of the fraction,
// so that each step sounds about as big as the last.
float master_gain(const MasterVolume& level);

}  // namespace ventora
