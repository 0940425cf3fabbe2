// The sound output over SDL2_mixer: the music's channels and the effects' own.
#pragma once

#include <memory>

#include "base/result.h"
#include "music/audio_out.h"

namespace ventora {

// A sound output on a device that can go away (its sound server stops, it is unplugged) and be
// opened again.
class DeviceAudioOut : public AudioOut {
 public:
  // True once the device has gone away; nothing sounds until `reopen` succeeds.
  virtual bool lost() const = 0;
  // Closes what is left of the device and opens one again in the format the sounds were loaded
  // for, keeping them all (none is playing afterwards). Failing, SDL's reason: the device stays
  // closed, and every call but `reopen` does nothing.
  virtual Status reopen() = 0;
};

// Opens SDL audio and the mixer (44.1 kHz, 16-bit stereo); SDL's reason when no device can be
// opened.
Result<std::unique_ptr<DeviceAudioOut>> open_sdl_audio_out();

}  // namespace ventora
