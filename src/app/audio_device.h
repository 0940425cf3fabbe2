// The sound output the music plays through, opened by the game and by the window replay alike,
// and kept open when its device goes away and comes back.
#pragma once

#include <memory>
#include <optional>

#include "platform/sdl_audio_out.h"

namespace ventora {

// SDL2_mixer's output; without a usable device, nullptr after one line on stderr:
// "ventora: no audio device, playing without sound: <reason>".
std::unique_ptr<DeviceAudioOut> open_audio_device();

// Seconds between tries to open a lost device again: a try opens a device on the frame's thread,
// so it is not made every frame.
inline constexpr double kDeviceRetrySeconds = 2.0;

// Watches a device that can go away (its sound server stopped, it was unplugged). When it does:
// one line on stderr, a first try to open it again at once, then one every kDeviceRetrySeconds
// until a try succeeds.
class AudioDeviceKeeper {
 public:
  // Call once a frame with the frame's clock. True on the call at which the device came back,
  // with nothing playing on it.
  bool keep(DeviceAudioOut& device, double now);

 private:
  std::optional<double> next_try_;  // while the device is away
};

}  // namespace ventora
