#include "view/backdrop.h"

namespace ventora {

namespace {
constexpr TargetId kBackdropTargetId = 1;
}  // namespace

bool begin_backdrop_target(RenderSettings& settings, Canvas& canvas) {
  const auto wanted = backdrop_target_size_for(settings.preset);
  if (!wanted) return false;
  if (!settings.backdrop_target || settings.backdrop_target_size != *wanted) {
    // The renderer re-creates the texture when the size recorded with the target changes.
    settings.backdrop_target = kBackdropTargetId;
    settings.backdrop_target_size = *wanted;
  }
  canvas.begin_target(*settings.backdrop_target, wanted->width, wanted->height);
  return true;
}

}  // namespace ventora
