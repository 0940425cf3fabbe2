#include "layout/render_settings.h"

#include <cmath>
#include <string>
#include <vector>

#include "layout/reference_layout.h"

namespace ventora {

namespace {

struct Preset {
  WindowSize window;
  WindowSize backdrop;
  int pixel_size;
};

// The plain window is the reference layout at its own size.
constexpr WindowSize kOgWindow{static_cast<std::uint32_t>(kReferenceWidth),
                               static_cast<std::uint32_t>(kReferenceHeight)};

constexpr Preset kPresets[] = {
    {kOgWindow, {0, 0}, 1},
    {{1280, 720}, {640, 360}, 2},
    {{1920, 1080}, {480, 270}, 4},
    {{3840, 2160}, {480, 270}, 8},
};

std::vector<std::string>& process_args() {
  static std::vector<std::string> args;
  return args;
}

}  // namespace

RenderSettings render_settings_from_args(std::span<const std::string_view> args) {
  RenderSettings settings;
  for (size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] != "--mode") continue;
    const std::string_view mode = args[i + 1];
    if (mode == "og") {
      settings.hd_on = false;
      settings.preset = 0;
      settings.planet_pixels = 180;
    } else if (mode == "hd4k") {
      settings.preset = 3;
    } else if (mode == "hd1080") {
      settings.preset = 2;
    }
    break;
  }
  return settings;
}

void set_process_args(int argc, char** argv) {
  process_args().assign(argv, argv + argc);
}

void set_process_mode(std::string_view mode) {
  process_args() = {"ventora", "--mode", std::string(mode)};
}

RenderSettings render_settings_from_process_args() {
  std::vector<std::string_view> views(process_args().begin(), process_args().end());
  return render_settings_from_args(views);
}

WindowSize target_window_size(const RenderSettings& settings) {
  if (!settings.hd_on || settings.preset >= std::size(kPresets)) return kOgWindow;
  return kPresets[settings.preset].window;
}

bool hd_mode(const RenderSettings& settings) { return settings.hd_on && settings.preset != 0; }

std::optional<WindowSize> update_render_settings(const RenderSettings& settings, float screen_width,
                                                 float screen_height) {
  const WindowSize target = target_window_size(settings);
  if (std::fabs(screen_width - static_cast<float>(target.width)) > 1.0f ||
      std::fabs(screen_height - static_cast<float>(target.height)) > 1.0f) {
    return target;
  }
  return std::nullopt;
}

int pixel_size_for(std::uint8_t preset) {
  return preset < std::size(kPresets) ? kPresets[preset].pixel_size : 1;
}

std::uint32_t planet_pixel_count(const RenderSettings& settings) {
  const float rounded = std::round(settings.planet_pixels);  // halves away from zero
  if (!(rounded >= 12.0f)) return 12;
  if (rounded > 5000.0f) return 5000;
  return static_cast<std::uint32_t>(rounded);
}

std::optional<WindowSize> backdrop_target_size_for(std::uint8_t preset) {
  if (preset < 1 || preset >= std::size(kPresets)) return std::nullopt;
  return kPresets[preset].backdrop;
}

}  // namespace ventora
