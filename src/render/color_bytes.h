// A colour as the renderer hands it to GL: 8-bit channels, rounded.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/values.h"

namespace ventora {

struct RgbaBytes {
  std::uint8_t r, g, b, a;
  friend bool operator==(const RgbaBytes&, const RgbaBytes&) = default;
};

inline std::uint8_t channel_byte(float f) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(f, 0.0f, 1.0f) * 255.0f));
}

inline RgbaBytes to_bytes(Color c) {
  return {channel_byte(c.r), channel_byte(c.g), channel_byte(c.b), channel_byte(c.a)};
}

}  // namespace ventora
