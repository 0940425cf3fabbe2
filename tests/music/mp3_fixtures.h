// MP3 test files made with LAME at test time.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "soundtrack/mp3_encode.h"

namespace ventora::testing {

// `seconds` of a two-note chord, interleaved.
inline std::vector<std::int16_t> tone(double seconds, int rate, int channels) {
  const auto frames = static_cast<std::size_t>(seconds * rate);
  std::vector<std::int16_t> samples(frames * static_cast<std::size_t>(channels));
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double v = 0.3 * std::sin(2 * M_PI * 440 * t) + 0.2 * std::sin(2 * M_PI * 660 * t);
    for (int c = 0; c < channels; ++c) samples[i * channels + c] = static_cast<std::int16_t>(v * 32767);
  }
  return samples;
}

inline std::vector<std::uint8_t> mp3_tone(double seconds, int rate = 44100, int channels = 2,
                                          int kbps = 320) {
  return encode_mp3(tone(seconds, rate, channels), {channels, rate, kbps, "Fixture", "Tests"});
}

}  // namespace ventora::testing
