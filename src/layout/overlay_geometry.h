// Where the card boxes and the "Continue" button are. Drawing and the mouse tests of the draft
// both ask here, so what the player sees is what the click hits.
#pragma once

#include <optional>

#include "base/values.h"
#include "layout/hud_scale.h"

namespace ventora {

// Box `index` (0, 1, 2) of the card choice: three boxes of 204 × 306 with gaps of 30, centred,
// their block 24 below the middle; scaled (not snapped) in HD output.
Rect card_box(const HudScale& scale, int index);
// The "Continue" button of the stage-clear panel.
Rect continue_button(const HudScale& scale);
// Bounds included.
bool rect_contains(const Rect& rect, Vec2 point);
// The card box (0, 1, 2) that holds `point`, if any.
std::optional<int> card_box_at(const HudScale& scale, Vec2 point);

}  // namespace ventora
