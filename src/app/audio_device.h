// The sound output the music plays through, opened by the game and by the window replay alike.
#pragma once

#include <memory>

#include "music/audio_out.h"

namespace ventora {

// SDL2_mixer's output; without a usable device, nullptr after one line on stderr:
// "ventora: no audio device, playing without sound: <reason>".
std::unique_ptr<AudioOut> open_audio_device();

}  // namespace ventora
