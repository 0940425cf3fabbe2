#include "layout/overlay_geometry.h"

namespace ventora {

Rect card_box(const HudScale& s, int index) {
  const float i = static_cast<float>(index);
  return {s.width / 2.0f + (-336.0f + 234.0f * i) * s.sx, s.height / 2.0f - 129.0f * s.sy,
          204.0f * s.sx, 306.0f * s.sy};
}

Rect continue_button(const HudScale& s) {
  return {s.width / 2.0f - 92.0f * s.sx, s.height / 2.0f + 68.0f * s.sy, 184.0f * s.sx,
          54.0f * s.sy};
}

bool rect_contains(const Rect& rect, Vec2 point) {
  return point.x >= rect.x && point.x <= rect.x + rect.w && point.y >= rect.y &&
         point.y <= rect.y + rect.h;
}

std::optional<int> card_box_at(const HudScale& scale, Vec2 point) {
  for (int i = 0; i < 3; ++i) {
    if (rect_contains(card_box(scale, i), point)) return i;
  }
  return std::nullopt;
}

}  // namespace ventora
