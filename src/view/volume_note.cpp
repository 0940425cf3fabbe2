#include "view/volume_note.h"

#include <algorithm>

#include "view/hud.h"
#include "view/palette.h"

namespace ventora {

namespace {

constexpr Color kBand = Color::rgba8(14, 18, 30, 200);
constexpr float kFontSize = 22;
constexpr float kBaselineAboveBottom = 34;  // reference units
constexpr float kPadding = 12;

Color faded(Color c, float opacity) {
  c.a *= opacity;
  return c;
}

}  // namespace

std::string volume_note_text(const VolumeNote& note) {
  return note.muted ? std::string("Muted") : "Volume " + std::to_string(note.percent) + "%";
}

void draw_volume_note(Canvas& canvas, const HudScale& s, const VolumeNote& note) {
  const float opacity = std::clamp(note.opacity, 0.0f, 1.0f);
  if (opacity <= 0) return;
  const std::string text = volume_note_text(note);
  const float size = s.font(kFontSize);
  const TextMetrics m = canvas.measure_text(text, size);
  const float baseline = s.height - s.y(kBaselineAboveBottom);
  const float pad = s.x(kPadding);
  const Rect band{s.snap(s.width / 2 - m.width / 2 - pad), baseline - m.offset_y - pad / 2,
                  s.snap(m.width + 2 * pad), m.height + pad};
  canvas.rectangle(band, faded(kBand, opacity));
  text_centred(canvas, text, s.width / 2, baseline, size, faded(palette::kCream, opacity));
}

}  // namespace ventora
