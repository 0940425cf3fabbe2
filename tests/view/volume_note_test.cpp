// The level note in every output mode: its text, centred near the bottom on a band that holds it,
// scaled with the mode, and fading out.
#include "view/volume_note.h"

#include <gtest/gtest.h>

#include "layout/frame_layout.h"
#include "layout/render_settings.h"
#include "tests/support/draw_queries.h"

namespace ventora {
namespace {

struct Mode {
  const char* name;
  OutputMode mode;
  float width, height;
};

constexpr Mode kModes[] = {
    {"og", OutputMode::Og, 960, 720},
    {"hd720", OutputMode::Hd720, 1280, 720},
    {"hd1080", OutputMode::Hd1080, 1920, 1080},
    {"hd4k", OutputMode::Hd4k, 3840, 2160}};

HudScale scale_for(const Mode& mode) {
  const RenderSettings settings = render_settings_for(mode.mode);
  return hud_scale(frame_layout_for(settings, mode.width, mode.height), mode.width, mode.height);
}

DrawList note_list(const Mode& mode, const VolumeNote& note) {
  DrawList list;
  Canvas canvas(list, mode.width, mode.height);
  draw_volume_note(canvas, scale_for(mode), note);
  return list;
}

TEST(VolumeNote, SaysTheLevelOrMuted) {
  EXPECT_EQ(volume_note_text({70, false, 1}), "Volume 70%");
  EXPECT_EQ(volume_note_text({0, false, 1}), "Volume 0%");
  EXPECT_EQ(volume_note_text({70, true, 1}), "Muted");
}

TEST(VolumeNote, SitsCentredNearTheBottomOnItsBandInEveryMode) {
  float last_size = 0;
  for (const Mode& mode : kModes) {
    SCOPED_TRACE(mode.name);
    const DrawList list = note_list(mode, {70, false, 1});
    const DrawCommand* text = draw_queries::find_text(list, "Volume 70%");
    ASSERT_NE(text, nullptr);
    const std::vector<DrawCommand> bands = draw_queries::of_op(list, DrawOp::Rectangle);
    ASSERT_EQ(bands.size(), 1u);
    const Rect band = bands[0].rect;
    const TextMetrics m = measure_text(text->text, text->font_size);
    // Centred across, within a pixel of the art grid.
    EXPECT_NEAR(text->a.x + m.width / 2, mode.width / 2, scale_for(mode).pixel_size);
    // In the bottom tenth of the screen, wholly on it.
    EXPECT_GT(text->a.y, mode.height * 0.9f);
    EXPECT_LT(band.y + band.h, mode.height);
    // The band holds the text.
    EXPECT_LE(band.x, text->a.x);
    EXPECT_GE(band.x + band.w, text->a.x + m.width);
    EXPECT_LE(band.y, text->a.y - m.offset_y);
    EXPECT_GE(band.y + band.h, text->a.y - m.offset_y + m.height);
    // Drawn after the band, so over it.
    EXPECT_EQ(list.commands.back().op, DrawOp::Text);
    EXPECT_GE(text->font_size, last_size);
    last_size = text->font_size;
  }
}

TEST(VolumeNote, FadesWithItsOpacityAndIsGoneAtNone) {
  const Mode& mode = kModes[1];
  const DrawList full = note_list(mode, {40, false, 1});
  const DrawList half = note_list(mode, {40, false, 0.5f});
  ASSERT_EQ(full.commands.size(), half.commands.size());
  for (std::size_t i = 0; i < full.commands.size(); ++i) {
    EXPECT_FLOAT_EQ(half.commands[i].color.a, full.commands[i].color.a / 2);
  }
  EXPECT_TRUE(note_list(mode, {40, false, 0}).commands.empty());
}

}  // namespace
}  // namespace ventora
