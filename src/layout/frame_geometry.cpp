#include "layout/frame_geometry.h"

#include "layout/render_settings.h"

namespace ventora {

FrameGeometry frame_geometry(OutputMode mode, float screen_width, float screen_height) {
  FrameGeometry geometry;
  geometry.layout = frame_layout_for(render_settings_for(mode), screen_width, screen_height);
  geometry.hud = hud_scale(geometry.layout, screen_width, screen_height);
  return geometry;
}

}  // namespace ventora
