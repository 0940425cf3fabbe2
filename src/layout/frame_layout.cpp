#include "layout/frame_layout.h"

#include "layout/reference_layout.h"

namespace ventora {

FrameLayout make_frame_layout(OutputMode mode, float screen_width, float screen_height) {
  FrameLayout layout;
  layout.center = {kPlanetCentreAcross * screen_width, kPlanetCentreDown * screen_height};
  layout.screen_width = screen_width;
  layout.screen_height = screen_height;
  layout.pixel_size = pixel_size_for(mode);
  layout.scale = screen_width / kReferenceWidth * kReferencePlanetRadius;
  return layout;
}

std::optional<FrameLayout> frame_layout_for(const RenderSettings& settings, float screen_width,
                                            float screen_height) {
  if (!hd_on(settings)) return std::nullopt;
  return make_frame_layout(settings.mode, screen_width, screen_height);
}

float scene_unit(const std::optional<FrameLayout>& layout) {
  return layout ? layout->scale / 165.0f : 1.0f;
}

}  // namespace ventora
