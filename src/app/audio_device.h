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
// so it is not made every frame, nor for a device that goes away again as soon as it is opened.
inline constexpr double kDeviceRetrySeconds = 2.0;

// Watches a device that can go away (its sound server stopped, it was unplugged). The first time
// it does: one line on stderr, for the whole session. Each time: a try to open it again at once,
// then one every kDeviceRetrySeconds until a try succeeds; tries are never closer than that.
class AudioDeviceKeeper {
 public:
  // Call once a frame with the frame's clock. True on the call at which the device came back,
  // with nothing playing on it.
  bool keep(DeviceAudioOut& device, double now);

 private:
  bool away_ = false;
  bool told_ = false;
  std::optional<double> last_try_;
};

}  // namespace ventora
