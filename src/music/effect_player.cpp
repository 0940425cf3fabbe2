#include "music/effect_player.h"

#include <algorithm>

namespace ventora {

EffectPlayer::EffectPlayer(AudioOut& audio, std::array<std::optional<SoundId>, kSoundEffectCount> sounds,
                           std::array<double, kSoundEffectCount> seconds)
    : audio_(audio) {
  for (std::size_t i = 0; i < kSoundEffectCount; ++i) slots_[i] = {sounds[i], seconds[i], {}};
}

void EffectPlayer::play(const SoundEffects& effects, double now) {
  for (std::size_t i = 0; i < kSoundEffectCount; ++i) {
    Slot& slot = slots_[i];
    if (!effects.test(i) || !slot.sound) continue;
    std::erase_if(slot.ends, [now](double end) { return end <= now; });
    if (static_cast<int>(slot.ends.size()) >= kSoundEffects[i].voices) continue;
    audio_.play_effect(*slot.sound, 1.0f);
    slot.ends.push_back(now + slot.seconds);
  }
}

EffectsLoad load_effects(AudioOut& audio, std::span<const std::uint8_t> bank) {
  EffectsLoad load;
  const std::optional<EffectWavs> wavs = split_effects_bank(bank);
  if (!wavs) {
    load.errors.push_back(Error{"the sound effects are damaged: not one WAV file for each"});
    return load;
  }
  std::array<std::optional<SoundId>, kSoundEffectCount> sounds;
  std::array<double, kSoundEffectCount> seconds{};
  for (std::size_t i = 0; i < kSoundEffectCount; ++i) {
    const std::span<const std::uint8_t> wav = (*wavs)[i];
    const Result<SoundId> loaded = audio.load_wav({wav.begin(), wav.end()});
    if (!loaded) {
      load.errors.push_back(Error{"failed to load sound effect '" + std::string(kSoundEffects[i].name) +
                                  "': " + loaded.error().message});
      continue;
    }
    sounds[i] = loaded.value();
    seconds[i] = wav_seconds(wav);
  }
  load.player = std::make_unique<EffectPlayer>(audio, sounds, seconds);
  return load;
}

}  // namespace ventora
