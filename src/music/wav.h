// Canonical 44-byte-header PCM WAV files, as the audio output loads them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace ventora {

inline constexpr std::size_t kWavHeaderBytes = 44;

// Writes the 44-byte header of a 16-bit PCM file holding `data_bytes` of samples.
void write_wav_header(std::uint8_t* header, std::uint32_t data_bytes, std::uint16_t channels,
                      std::uint32_t sample_rate);

// A RIFF/WAVE file of interleaved signed 16-bit samples; all fields little-endian.
std::vector<std::uint8_t> build_wav(std::span<const std::int16_t> samples, std::uint16_t channels,
                                    std::uint32_t sample_rate);

}  // namespace ventora
