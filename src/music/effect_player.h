// The sound effects at play time: each loaded once into the audio output, and started on the
// effects' own channels when a frame makes it, unless as many of it as may sound at once still do.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "music/audio_out.h"
#include "music/effects_bank.h"
#include "music/sound_effect.h"

namespace ventora {

class EffectPlayer {
 public:
  // Plays through `audio`, which must outlive the player; each effect gets the sound id that
  // loading it gave (none: it stays silent) and its length in seconds.
  EffectPlayer(AudioOut& audio, std::array<std::optional<SoundId>, kSoundEffectCount> sounds,
               std::array<double, kSoundEffectCount> seconds);

  // Starts every effect of `effects` at `now` (seconds on a clock that only goes forward), each
  // unless its voices (SoundEffectInfo) all still sound.
  void play(const SoundEffects& effects, double now);

 private:
  struct Slot {
    std::optional<SoundId> sound;
    double seconds = 0;
    std::vector<double> ends;  // when the voices now sounding end
  };
  AudioOut& audio_;
  std::array<Slot, kSoundEffectCount> slots_;
};

// The effects loaded, and the error of each one that did not ("failed to load sound effect
// 'jump': <error>"; a bank that does not hold one WAV per effect loads nothing). Not one Result:
// an effect that fails to load stays silent while the others play.
struct EffectsLoad {
  std::unique_ptr<EffectPlayer> player;
  std::vector<Error> errors;
};

// Loads every effect of `bank` into `audio`.
EffectsLoad load_effects(AudioOut& audio, std::span<const std::uint8_t> bank);

}  // namespace ventora
