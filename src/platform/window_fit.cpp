#include "platform/window_fit.h"

#include <algorithm>
#include <cmath>

namespace ventora {

PixelRect fit_window(int wanted_width, int wanted_height, const PixelRect& usable,
                     const FrameBorders& borders) {
  const int wanted_w = std::max(wanted_width, 1);
  const int wanted_h = std::max(wanted_height, 1);
  const int room_w = std::max(usable.width - borders.left - borders.right, 1);
  const int room_h = std::max(usable.height - borders.top - borders.bottom, 1);
  PixelRect window{0, 0, wanted_w, wanted_h};
  if (wanted_w > room_w || wanted_h > room_h) {
    // Whole pixels that keep within the room: the shape may be off by less than one.
    const double fit = std::min(static_cast<double>(room_w) / wanted_w,
                                static_cast<double>(room_h) / wanted_h);
    window.width = std::clamp(static_cast<int>(std::floor(wanted_w * fit + 1e-9)), 1, room_w);
    window.height = std::clamp(static_cast<int>(std::floor(wanted_h * fit + 1e-9)), 1, room_h);
  }
  const int outer_w = window.width + borders.left + borders.right;
  const int outer_h = window.height + borders.top + borders.bottom;
  window.x = usable.x + (usable.width - outer_w) / 2 + borders.left;
  window.y = usable.y + (usable.height - outer_h) / 2 + borders.top;
  return window;
}

}  // namespace ventora
