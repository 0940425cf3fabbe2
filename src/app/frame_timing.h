// The frame loop's timing: the game's time step and the wait after each frame, kept apart from the
// window so tests can hold them.
#pragma once

#include <optional>

namespace ventora {

// A frame that took longer than this advances the game by this much only.
constexpr float kMaxFrameSeconds = 0.05f;

// The game's time step for a frame that took `seconds`.
float frame_dt(double seconds);

// What decides how long the loop waits after showing a frame.
struct FramePacing {
  double refresh_hz = 0;      // the display's refresh rate; 0 or less when unknown (60 Hz is assumed)
  bool vsync = false;         // the driver accepted waiting for the refresh in the swap
  std::optional<int> cap;     // --fps / VENTORA_FPS: frames a second at most; 0 = uncapped
};

// Seconds to wait after a frame whose work, from the end of the last wait to the return of the swap,
// took `elapsed`, so that the loop draws one frame per refresh (or per 1 / cap). With working vsync
// the swap waits by itself; only a swap that returns in under half a refresh (a driver that ignores
// vsync, say while the window is hidden) is topped up.
double frame_wait_seconds(const FramePacing& pacing, double elapsed);

}  // namespace ventora
