// Output modes: the plain 960 × 720 window (OG) or chunky pixel art in a 720p, 1080p or 4K window
// (HD), the window size each mode holds, and what the planet takes from the mode.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "base/values.h"

namespace ventora {

struct WindowSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

struct RenderSettings {
  float planet_pixels = 110;
  bool hd_on = true;
  bool planet_dither = true;
  std::uint8_t preset = 1;
};

// Reads "--mode og|hd720|hd1080|hd4k" from the arguments (program name included).
RenderSettings render_settings_from_args(std::span<const std::string_view> args);
// The arguments the process was started with, kept by main() for every later call.
void set_process_args(int argc, char** argv);
// The arguments as `ventora --mode <mode>` gives them: for tools, tests and replays that pick the
// mode themselves.
void set_process_mode(std::string_view mode);
RenderSettings render_settings_from_process_args();

WindowSize target_window_size(const RenderSettings& settings);
// True when the scene is drawn as HD pixel art.
bool hd_mode(const RenderSettings& settings);
// The size to ask the window system for, when the screen is off by more than one pixel.
std::optional<WindowSize> update_render_settings(const RenderSettings& settings, float screen_width,
                                                 float screen_height);
int pixel_size_for(std::uint8_t preset);
std::uint32_t planet_pixel_count(const RenderSettings& settings);
// The backdrop target size of a preset, or nothing for presets without one.
std::optional<WindowSize> backdrop_target_size_for(std::uint8_t preset);

}  // namespace ventora
