// The sound output the music and the effects talk to: load an in-memory WAV file or a stream, play it once at
// a volume, stop it, and turn everything up or down. The game's one implementation is SDL2_mixer
// (platform/sdl_audio_out.h); tests record calls.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "base/result.h"

namespace ventora {

// Channels of the mixer kept for the effects alone: the most that sound at once, whatever the
// burst. The music plays on others, so an effect never takes a track's channel. Effects play at
// full volume: their levels are set where they are synthesised, so that the loudest burst over
// the loudest music stays under full scale.
inline constexpr int kEffectChannels = 4;

// A loaded sound, as handed out by one AudioOut.
using SoundId = int;

// One play of a streamed sound, decoded a little ahead of where it plays.
class StreamVoice {
 public:
  virtual ~StreamVoice() = default;
  // On the audio thread: copies the next decoded samples into `out` and returns how many; never waits
  // and never allocates. Fewer than asked: the rest is not decoded yet, or the sound is over.
  virtual std::size_t read(std::span<std::int16_t> out) = 0;
  // The output is done with the voice: the last call it makes on it, from any thread.
  virtual void finish() = 0;
};

// A long sound kept compressed in memory and decoded while it plays.
class SoundStream {
 public:
  virtual ~SoundStream() = default;
  virtual int channels() const = 0;
  virtual long rate() const = 0;
  // Interleaved 16-bit samples, all channels: the exact length.
  virtual std::uint64_t samples() const = 0;
  // A play from the first sample, its start already decoded.
  virtual std::shared_ptr<StreamVoice> start() = 0;
  // The whole sound as a WAV file, for an output that cannot stream.
  virtual Result<std::vector<std::uint8_t>> whole_wav() const = 0;
};

class AudioOut {
 public:
  virtual ~AudioOut() = default;
  // Takes a canonical WAV file; the buffer may be kept as the sound's storage or released. The
  // sound's handle, or the audio library's error text.
  virtual Result<SoundId> load_wav(std::vector<std::uint8_t> wav) = 0;
  // Takes a sound to play as it decodes; an output that cannot loads it whole.
  virtual Result<SoundId> load_stream(std::shared_ptr<SoundStream> stream) {
    Result<std::vector<std::uint8_t>> wav = stream->whole_wav();
    if (!wav) return wav.error();
    return load_wav(std::move(wav.value()));
  }
  // Plays the sound once (never looped) at volume 0..1.
  virtual void play(SoundId sound, float volume) = 0;
  // Stops every playing instance of the sound.
  virtual void stop(SoundId sound) = 0;
  // Plays the sound once on the channels kept for effects (kEffectChannels of them, never one the
  // music plays on); when they are all busy the one playing longest gives way.
  virtual void play_effect(SoundId sound, float volume) = 0;
  // The volume of everything that plays, 0..1 (0 is silence); 1 at the start.
  virtual void set_master_volume(float volume) = 0;
  // Holds every playing sound where it is (a paused game), or lets them all play on from there.
  virtual void set_paused(bool paused) = 0;
};

}  // namespace ventora
