#include "app/window_config.h"

namespace ventora {

WindowConfig window_config_for(const RenderSettings& settings) {
  const WindowSize size = target_window_size(settings);
  WindowConfig config;
  config.title = "Ventora";
  config.width = static_cast<int>(size.width);
  config.height = static_cast<int>(size.height);
  config.high_dpi = !hd_mode(settings);
  return config;
}

}  // namespace ventora
