#include "view/pause_overlay.h"

#include <algorithm>
#include <string>
#include <vector>

#include "view/control_hints.h"
#include "view/hud.h"
#include "view/palette.h"

namespace ventora {

namespace {

constexpr Color kVeil = Color::rgba8(4, 6, 14, 170);
constexpr Color kPanel = Color::rgba8(12, 15, 27, 235);
constexpr float kTitleSize = 56;
constexpr float kLineSize = 22;
constexpr float kPadding = 28;  // around the texts, inside the panel

}  // namespace

void draw_pause_overlay(Canvas& canvas, const HudScale& s, std::optional<PadLayout> pad) {
  canvas.rectangle({0, 0, s.width, s.height}, kVeil);
  const float mid_x = s.width / 2;
  const float title_size = s.font(kTitleSize);
  const float line_size = s.font(kLineSize);
  const std::vector<std::string> lines = pause_lines(pad);
  // Baselines first: the panel behind the texts is sized to them.
  const float title_at = s.height / 2 - 40 * s.sy;
  std::vector<float> baselines;
  float baseline = title_at;
  float above_size = title_size;
  const TextMetrics title = canvas.measure_text("Paused", title_size);
  float widest = title.width;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    // The first gap is wider: the title stands apart from the lines under it.
    baseline = baseline_below(canvas, baseline, above_size, line_size) + (i == 0 ? 18 * s.sy : 0);
    baselines.push_back(baseline);
    above_size = line_size;
    widest = std::max(widest, canvas.measure_text(lines[i], line_size).width);
  }
  const TextMetrics last = canvas.measure_text("", line_size);
  const float top = title_at - title.offset_y - s.y(kPadding);
  const float bottom = baselines.back() - last.offset_y + last.height + s.y(kPadding);
  const float half_width = widest / 2 + s.x(kPadding);
  canvas.rectangle({s.snap(mid_x - half_width), s.snap(top), s.snap(2 * half_width), s.snap(bottom - top)},
                   kPanel);
  text_centred(canvas, "Paused", mid_x, title_at, title_size, palette::kGold);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    text_centred(canvas, lines[i], mid_x, baselines[i], line_size,
                 i + 1 == lines.size() ? palette::kGold : palette::kCream);
  }
}

}  // namespace ventora
