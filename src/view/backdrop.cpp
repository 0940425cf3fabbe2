#include "view/backdrop.h"

namespace ventora {

std::optional<WindowSize> begin_backdrop_target(const RenderSettings& settings, Canvas& canvas) {
  const std::optional<WindowSize> size = backdrop_target_size_for(settings.mode);
  if (size) canvas.begin_target(kBackdropTargetId, size->width, size->height);
  return size;
}

}  // namespace ventora
