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
  if (!away_ && !device.lost()) return false;
  away_ = true;
  if (!told_) {
    std::fprintf(stderr,
                 "ventora: the audio device went away; playing without sound, trying to open it "
                 "again every %g s\n",
                 kDeviceRetrySeconds);
    told_ = true;
  }
  if (last_try_ && now < *last_try_ + kDeviceRetrySeconds) return false;
  last_try_ = now;
  std::string error;  // the line above already said what matters
  if (!device.reopen(error)) return false;
  away_ = false;
  return true;
}

}  // namespace ventora
