// The render settings of a run: its output mode (see output_mode.h), the window size that mode
// holds, and what the planet takes from it.
#pragma once

#include <cstdint>
#include <optional>

#include "layout/output_mode.h"

namespace ventora {

struct RenderSettings {
  float planet_pixels = mode_info(kDefaultOutputMode).planet_pixels;
  bool planet_dither = true;
  OutputMode mode = kDefaultOutputMode;
};

// The settings a run in `mode` starts with.
RenderSettings render_settings_for(OutputMode mode);

// True when the scene is drawn as HD pixel art: in every mode but OG.
bool hd_on(const RenderSettings& settings);
WindowSize target_window_size(const RenderSettings& settings);
// The size to ask the window system for, when the screen is off by more than one pixel.
std::optional<WindowSize> window_size_request(const RenderSettings& settings, float screen_width,
                                                 float screen_height);
int pixel_size_for(OutputMode mode);
std::uint32_t planet_pixel_count(const RenderSettings& settings);
// The backdrop target size of an output mode, or nothing for OG, which has none.
std::optional<WindowSize> backdrop_target_size_for(OutputMode mode);

}  // namespace ventora
