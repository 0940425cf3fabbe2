#include "app/audio_device.h"

#include <cstdio>
#include <utility>

namespace ventora {

std::unique_ptr<DeviceAudioOut> open_audio_device() {
  Result<std::unique_ptr<DeviceAudioOut>> opened = open_sdl_audio_out();
  if (!opened) {
    std::fprintf(stderr, "ventora: no audio device, playing without sound: %s\n",
                 opened.error().message.c_str());
    return nullptr;
  }
  return std::move(opened.value());
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
  if (!device.reopen()) return false;  // the line above already said what matters
  away_ = false;
  return true;
}

}  // namespace ventora
