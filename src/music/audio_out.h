// The sound output the music player talks to: load an in-memory WAV file, play it once at a volume,
// stop it. The game's one implementation is SDL2_mixer (platform/sdl_audio_out.h); tests record calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ventora {

// A loaded sound, as handed out by one AudioOut.
using SoundId = int;

// The result of loading a sound: its handle, or the audio library's error text.
struct SoundLoad {
  SoundId sound = -1;
  std::string error;

  bool ok() const { return error.empty(); }
};

class AudioOut {
 public:
  virtual ~AudioOut() = default;
  // Takes a canonical WAV file; the buffer may be kept as the sound's storage or released.
  virtual SoundLoad load_wav(std::vector<std::uint8_t> wav) = 0;
  // Plays the sound once (never looped) at volume 0..1.
  virtual void play(SoundId sound, float volume) = 0;
  // Stops every playing instance of the sound.
  virtual void stop(SoundId sound) = 0;
};

}  // namespace ventora
