// Where a new window goes on its display: at the size its mode asks for where that fits the
// display's usable area (the screen without its panels) together with the window manager's frame,
// else at the largest size of the same shape that does; centred on that area.
#pragma once

namespace ventora {

struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The frame the window manager draws around a window: title bar and edges, in pixels.
struct FrameBorders {
  int top = 0, left = 0, bottom = 0, right = 0;
};

// The window's own area (inside its frame) for a picture of `wanted_width` × `wanted_height` on
// `usable`, in screen coordinates. Never smaller than one pixel a side.
PixelRect fit_window(int wanted_width, int wanted_height, const PixelRect& usable,
                     const FrameBorders& borders);

}  // namespace ventora
