#include "view/pause_overlay.h"

#include <string>
#include <vector>

#include "view/control_hints.h"
#include "view/hud.h"
#include "view/palette.h"

namespace ventora {

namespace {

constexpr Color kVeil = Color::rgba8(4, 6, 14, 170);
constexpr float kTitleSize = 56;
constexpr float kLineSize = 22;

}  // namespace

void draw_pause_overlay(Canvas& canvas, const HudScale& s, std::optional<PadLayout> pad) {
  canvas.rectangle({0, 0, s.width, s.height}, kVeil);
  const float mid_x = s.width / 2;
  float baseline = s.height / 2 - 40 * s.sy;
  text_centred(canvas, "Paused", mid_x, baseline, s.font(kTitleSize), palette::kGold);
  float above_size = s.font(kTitleSize);
  const std::vector<std::string> lines = pause_lines(pad);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const float size = s.font(kLineSize);
    // The first gap is wider: the title stands apart from the lines under it.
    baseline = baseline_below(canvas, baseline, above_size, size) + (i == 0 ? 18 * s.sy : 0);
    text_centred(canvas, lines[i], mid_x, baseline, size,
                 i + 1 == lines.size() ? palette::kGold : palette::kCream);
    above_size = size;
  }
}

}  // namespace ventora
