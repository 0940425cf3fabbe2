// The window's icon: the same picture the desktop entry shows (data/icons), embedded at 64 × 64.
#pragma once

#include <cstdint>
#include <vector>

namespace ventora {

struct IconPixels {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;  // top row first; empty when the PNG does not decode
};

IconPixels window_icon_pixels();

}  // namespace ventora
