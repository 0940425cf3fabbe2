// Canonical 44-byte-header PCM WAV files, as the audio output loads them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace ventora {

inline constexpr std::size_t kWavHeaderBytes = 44;

// A RIFF/WAVE file of interleaved signed 16-bit samples; all fields little-endian.
std::vector<std::uint8_t> build_wav(std::span<const std::int16_t> samples, std::uint16_t channels,
                                    std::uint32_t sample_rate);

}  // namespace ventora
