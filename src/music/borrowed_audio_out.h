// One audio device for the music and the effects: the music player owns the output it is given,
// so it is given a stand-in that passes every call on to the device, which lives on elsewhere.
#pragma once

#include <memory>

#include "music/audio_out.h"

namespace ventora {

// Passes every call on to `device`, which must outlive what this returns.
std::unique_ptr<AudioOut> borrow_audio_out(AudioOut& device);

}  // namespace ventora
