// The sound output over SDL2_mixer: the music's channels and the effects' own.
#pragma once

#include <memory>

#include "music/audio_out.h"

namespace ventora {

// Opens SDL audio and the mixer (44.1 kHz, 16-bit stereo). When no device can be opened, prints one
// line on stderr ("ventora: no audio device, playing without sound: <reason>") and returns nullptr.
std::unique_ptr<AudioOut> open_sdl_audio_out();

}  // namespace ventora
