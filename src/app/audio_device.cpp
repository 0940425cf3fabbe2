#include "app/audio_device.h"

#include <cstdio>
#include <string>

#include "platform/sdl_audio_out.h"

namespace ventora {

std::unique_ptr<AudioOut> open_audio_device() {
  std::string error;
  std::unique_ptr<AudioOut> audio = open_sdl_audio_out(error);
  if (!audio) std::fprintf(stderr, "ventora: no audio device, playing without sound: %s\n", error.c_str());
  return audio;
}

}  // namespace ventora
