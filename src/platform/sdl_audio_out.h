// The sound output over SDL2_mixer: the music's channels and the effects' own.
#pragma once

#include <memory>
#include <string>

#include "music/audio_out.h"

namespace ventora {

// Opens SDL audio and the mixer (44.1 kHz, 16-bit stereo). When no device can be opened, sets
// `error` to SDL's reason and returns nullptr.
std::unique_ptr<AudioOut> open_sdl_audio_out(std::string& error);

}  // namespace ventora
