// The mute and volume keys as the shell keeps them: the level they set and the note that shows it
// for a moment after each key, fading out at the end.
#pragma once

#include <optional>
#include <span>

#include "base/sound_keys.h"
#include "music/master_volume.h"
#include "view/volume_note.h"

namespace ventora {

// How long the level note shows after a key, the last part of it fading out.
constexpr double kVolumeNoteSeconds = 1.5;
constexpr double kVolumeNoteFadeSeconds = 0.5;

class VolumeControl {
 public:
  // The keys of a frame, at the frame's clock; true when they changed the level (even to the same
  // value: the note shows again).
  bool press(std::span<const SoundKey> keys, double now);
  // What the output's master volume is set to.
  float gain() const { return master_gain(level_); }
  // The level note at `now`, if it shows.
  std::optional<VolumeNote> note(double now) const;

 private:
  MasterVolume level_;
  std::optional<double> changed_at_;
};

}  // namespace ventora
