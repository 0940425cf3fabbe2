#include "app/window_config.h"

#include "layout/render_settings.h"

namespace ventora {

WindowConfig window_config_for(OutputMode mode) {
  const RenderSettings settings = render_settings_for(mode);
  const WindowSize size = target_window_size(settings);
  WindowConfig config;
  config.title = "Ventora";
  config.width = static_cast<int>(size.width);
  config.height = static_cast<int>(size.height);
  config.high_dpi = !hd_on(settings);
  return config;
}

}  // namespace ventora
