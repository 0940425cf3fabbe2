// The plain value types every layer shares: points, rectangles, colours and offscreen-target ids.
// They sit below everything so that card rarities and layout rectangles need no drawing code.
#pragma once

#include <cstdint>

namespace ventora {

struct Vec2 {
  float x = 0, y = 0;
  friend bool operator==(const Vec2&, const Vec2&) = default;
};

struct Rect {
  float x = 0, y = 0, w = 0, h = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Colour channels as fractions 0..1.
struct Color {
  float r = 0, g = 0, b = 0, a = 1;
  friend bool operator==(const Color&, const Color&) = default;
  // From 8-bit channels, as n / 255.
  static constexpr Color rgba8(int r, int g, int b, int a = 255) {
    return {r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f};
  }
};

constexpr Color kWhite{1, 1, 1, 1};
constexpr Color kBlack{0, 0, 0, 1};

// Offscreen targets are named by plain ids; the renderer owns the GL objects behind them.
using TargetId = std::uint32_t;

}  // namespace ventora
