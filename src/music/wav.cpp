#include "music/wav.h"

#include <cstring>

namespace ventora {

namespace {

void put_u16(std::uint8_t* at, std::uint16_t v) {
  at[0] = static_cast<std::uint8_t>(v);
  at[1] = static_cast<std::uint8_t>(v >> 8);
}

void put_u32(std::uint8_t* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

void write_wav_header(std::uint8_t* h, std::uint32_t data_bytes, std::uint16_t channels,
                      std::uint32_t sample_rate) {
  std::memcpy(h + 0, "RIFF", 4);
  put_u32(h + 4, data_bytes + 36);
  std::memcpy(h + 8, "WAVE", 4);
  std::memcpy(h + 12, "fmt ", 4);
  put_u32(h + 16, 16);
  put_u16(h + 20, 1);
  put_u16(h + 22, channels);
  put_u32(h + 24, sample_rate);
  put_u32(h + 28, sample_rate * channels * 2);
  put_u16(h + 32, static_cast<std::uint16_t>(channels * 2));
  put_u16(h + 34, 16);
  std::memcpy(h + 36, "data", 4);
  put_u32(h + 40, data_bytes);
}

std::vector<std::uint8_t> build_wav(std::span<const std::int16_t> samples, std::uint16_t channels,
                                    std::uint32_t sample_rate) {
  const auto data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> wav(kWavHeaderBytes + std::size_t{data_bytes});
  write_wav_header(wav.data(), data_bytes, channels, sample_rate);
  std::uint8_t* out = wav.data() + kWavHeaderBytes;
  for (const std::int16_t s : samples) {
    put_u16(out, static_cast<std::uint16_t>(s));
    out += 2;
  }
  return wav;
}

}  // namespace ventora
