// The sound effects carried inside the executable: one bank of WAV files, one per SoundEffect, in
// the enumeration's order, each right after the one before.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "music/sound_effect.h"

namespace ventora {

using EffectWavs = std::array<std::span<const std::uint8_t>, kSoundEffectCount>;

// The bank the build synthesised.
std::span<const std::uint8_t> embedded_effects_bank();

// The bank's WAV files by effect; nothing unless it is exactly kSoundEffectCount whole RIFF files.
std::optional<EffectWavs> split_effects_bank(std::span<const std::uint8_t> bank);

// Seconds of sound in a canonical 16-bit WAV file (0 when its header says nothing sensible).
double wav_seconds(std::span<const std::uint8_t> wav);

}  // namespace ventora
