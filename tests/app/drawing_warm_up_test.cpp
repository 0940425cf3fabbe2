// The start-up's warm-up through a real offscreen window: afterwards no stage of a run builds a
// planet program nor rasterises a glyph, and the shared generator is where it was (replays start
// from it).
#include "app/drawing_warm_up.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "game/run.h"
#include "render/gl_renderer.h"
#include "random/rng.h"
#include "tests/support/run_bot.h"
#include "tests/support/require_gl.h"
#include "view/scene.h"

namespace ventora {
namespace {

Result<std::unique_ptr<Window>> open_window(OutputMode mode) {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  const WindowSize size = mode_info(mode).window;
  return Window::open(
      {"Ventora warm-up test", static_cast<int>(size.width), static_cast<int>(size.height), false});
}

void warm_up(Window& window, OutputMode mode) {
  DrawingWarmUp warm_up(mode);
  int steps = 0;
  for (bool done = false; !done && steps < 100; ++steps) {
    Result<bool> step = warm_up.step(window);
    ASSERT_TRUE(step.ok()) << step.error().message;
    done = step.value();
  }
  ASSERT_LT(steps, 100);
}

TEST(DrawingWarmUp, LeavesNoProgramForAStageToBuild) {
  for (const OutputMode mode : {OutputMode::Og, OutputMode::Hd1080}) {
    SCOPED_TRACE(std::string(mode_word(mode)));
    Result<std::unique_ptr<Window>> opened = open_window(mode);
    VENTORA_REQUIRE_GL(opened.ok(), opened.error().message);
    const std::unique_ptr<Window> window = std::move(opened.value());
    warm_up(*window, mode);
    const int built = window->renderer().planet_programs_built();
    EXPECT_GT(built, 0);

    // Every stage's fight, as a run reaches it.
    Pcg32 rng;
    GameState state = start_run(rng, {1765000000, 0}, mode);
    for (const std::uint64_t stage : {1, 2, 3, 4, 6, 5}) {
      state.stage = stage;
      state.planet = make_stage_planet(stage, state.render_settings);
      DrawList list;
      Canvas canvas(list, static_cast<float>(window->width()), static_cast<float>(window->height()));
      draw_scene(state, canvas);
      ASSERT_TRUE(window->draw(list).ok());
      EXPECT_EQ(window->renderer().planet_programs_built(), built) << "stage " << stage;
    }
  }
}

// Only text commands can add a glyph: the whole run's texts, size by size, in one line.
std::string texts_of(const DrawList& list) {
  std::string texts;
  for (const DrawCommand& command : list.commands) {
    if (command.op != DrawOp::Text) continue;
    texts += std::to_string(command.font_size) + ' ' + command.text + '\n';
  }
  return texts;
}

// The texts that change during a run (stats, timers, stage numbers, the countdown, card names)
// find their glyphs already in the atlases: no frame re-uploads one. Only frames whose texts
// changed are drawn, which keeps a whole run quick.
TEST(DrawingWarmUp, LeavesNoGlyphForAWholeRunToRasterise) {
  for (const OutputMode mode : {OutputMode::Og, OutputMode::Hd720}) {
    SCOPED_TRACE(std::string(mode_word(mode)));
    Result<std::unique_ptr<Window>> opened = open_window(mode);
    VENTORA_REQUIRE_GL(opened.ok(), opened.error().message);
    const std::unique_ptr<Window> window = std::move(opened.value());
    warm_up(*window, mode);

    Pcg32 rng;
    GameState state = start_run(rng, {1765000000, 0}, mode);
    bot::RunPlan plan;
    plan.route = bot::Route::ThroughBonus;
    std::string last_texts;
    int drawn = 0;
    plan.on_frame = [&](const GameState& s, const FrameInput& input) {
      DrawList list;
      Canvas canvas(list, input.screen_width, input.screen_height);
      canvas.set_time(input.time);
      draw_scene(s, canvas);
      std::string texts = texts_of(list);
      if (texts == last_texts) return;
      last_texts = std::move(texts);
      ASSERT_TRUE(window->draw(list).ok());
      EXPECT_EQ(window->renderer().stats().glyph_atlas_uploads, 0) << "texts:\n" << last_texts;
      ++drawn;
    };
    bot::play_run(state, rng, plan);
    EXPECT_EQ(state.screen, Screen::Victory);
    EXPECT_GT(drawn, 20);
  }
}

}  // namespace
}  // namespace ventora
