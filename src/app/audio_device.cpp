#include "app/audio_device.h"

#include <cstdio>
#include <string>

namespace ventora {

std::unique_ptr<DeviceAudioOut> open_audio_device() {
  std::string error;
  std::unique_ptr<DeviceAudioOut> audio = open_sdl_audio_out(error);
  if (!audio) std::fprintf(stderr, "ventora: no audio device, playing without sound: %s\n", error.c_str());
  return audio;
}

bool AudioDeviceKeeper::keep(DeviceAudioOut& device, double now) {
  if (!next_try_) {
    if (!device.lost()) return false;
    std::fprintf(stderr, "ventora: the audio device went away; playing without sound, trying to open it again "
                         "every %g s\n", kDeviceRetrySeconds);
    next_try_ = now;
  }
  if (now < *next_try_) return false;
  std::string error;  // the line above already said what matters
  if (!device.reopen(error)) {
    next_try_ = now + kDeviceRetrySeconds;
    return false;
  }
  next_try_.reset();
  return true;
}

}  // namespace ventora
