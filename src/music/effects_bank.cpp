#include "music/effects_bank.h"

#include <cstring>

#include "music/wav.h"

// The bank, linked in by the build (.incbin).
extern "C" const unsigned char ventora_sound_effects[];
extern "C" const unsigned char ventora_sound_effects_end[];

namespace ventora {

namespace {

std::uint32_t read_u32(const std::uint8_t* at) {
  return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

}  // namespace

std::span<const std::uint8_t> embedded_effects_bank() {
  return {ventora_sound_effects, static_cast<std::size_t>(ventora_sound_effects_end - ventora_sound_effects)};
}

std::optional<EffectWavs> split_effects_bank(std::span<const std::uint8_t> bank) {
  EffectWavs wavs;
  for (std::span<const std::uint8_t>& wav : wavs) {
    // A RIFF file says how long it is after its first eight bytes.
    if (bank.size() < kWavHeaderBytes || std::memcmp(bank.data(), "RIFF", 4) != 0) return std::nullopt;
    const std::size_t size = std::size_t{8} + read_u32(bank.data() + 4);
    if (size < kWavHeaderBytes || size > bank.size()) return std::nullopt;
    wav = bank.first(size);
    bank = bank.subspan(size);
  }
  if (!bank.empty()) return std::nullopt;
  return wavs;
}

double wav_seconds(std::span<const std::uint8_t> wav) {
  if (wav.size() < kWavHeaderBytes) return 0;
  const std::uint32_t byte_rate = read_u32(wav.data() + 28);
  if (byte_rate == 0) return 0;
  return static_cast<double>(read_u32(wav.data() + 40)) / byte_rate;
}

}  // namespace ventora
