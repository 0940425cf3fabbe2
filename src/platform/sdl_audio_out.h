// The sound output over SDL2_mixer: the music's channels and the effects' own.
#pragma once

#include <memory>
#include <string>

#include "music/audio_out.h"

namespace ventora {

// A sound output on a device that can go away (its sound server stops, it is unplugged) and be
// opened again.
class DeviceAudioOut : public AudioOut {
 public:
  // True once the device has gone away; nothing sounds until `reopen` succeeds.
  virtual bool lost() const = 0;
  // Closes what is left of the device and opens one again in the format the sounds were loaded
  // for, keeping them all (none is playing afterwards). False with the reason in `error`: the
  // device stays closed, and every call but `reopen` does nothing.
  virtual bool reopen(std::string& error) = 0;
};

// Opens SDL audio and the mixer (44.1 kHz, 16-bit stereo). When no device can be opened, sets
// `error` to SDL's reason and returns nullptr.
std::unique_ptr<DeviceAudioOut> open_sdl_audio_out(std::string& error);

}  // namespace ventora
