#include "layout/render_settings.h"

#include <cmath>

namespace ventora {

RenderSettings render_settings_for(OutputMode mode) {
  RenderSettings settings;
  settings.mode = mode;
  settings.planet_pixels = mode_info(mode).planet_pixels;
  return settings;
}

bool hd_on(const RenderSettings& settings) { return settings.mode != OutputMode::Og; }

WindowSize target_window_size(const RenderSettings& settings) {
  return mode_info(settings.mode).window;
}

std::optional<WindowSize> window_size_request(const RenderSettings& settings, float screen_width,
                                                 float screen_height) {
  const WindowSize target = target_window_size(settings);
  if (std::fabs(screen_width - static_cast<float>(target.width)) > 1.0f ||
      std::fabs(screen_height - static_cast<float>(target.height)) > 1.0f) {
    return target;
  }
  return std::nullopt;
}

int pixel_size_for(OutputMode mode) { return mode_info(mode).pixel_size; }

std::uint32_t planet_pixel_count(const RenderSettings& settings) {
  const float rounded = std::round(settings.planet_pixels);  // halves away from zero
  if (!(rounded >= 12.0f)) return 12;
  if (rounded > 5000.0f) return 5000;
  return static_cast<std::uint32_t>(rounded);
}

std::optional<WindowSize> backdrop_target_size_for(OutputMode mode) {
  return mode_info(mode).backdrop;
}

}  // namespace ventora
