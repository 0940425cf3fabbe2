// The start-up's warm-up through a real offscreen window: afterwards no stage of a run builds a
// planet program, and the shared generator is where it was (replays start from it).
#include "app/drawing_warm_up.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "game/run.h"
#include "platform/gl_renderer.h"
#include "random/rng.h"
#include "tests/support/require_gl.h"
#include "view/scene.h"

namespace ventora {
namespace {

TEST(DrawingWarmUp, LeavesNoProgramForAStageToBuildAndTheGeneratorAlone) {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  for (const OutputMode mode : {OutputMode::Og, OutputMode::Hd1080}) {
    SCOPED_TRACE(std::string(mode_word(mode)));
    const WindowSize size = mode_info(mode).window;
    std::string error;
    std::unique_ptr<Window> window = Window::open(
        {"Ventora warm-up test", static_cast<int>(size.width), static_cast<int>(size.height), false}, error);
    VENTORA_REQUIRE_GL(window != nullptr, error);
    rng::seed(77);
    const std::uint64_t generator = rng::state();

    DrawingWarmUp warm_up(mode);
    int steps = 0;
    for (bool done = false; !done && steps < 100; ++steps) {
      gl::Result<bool> step = warm_up.step(*window);
      ASSERT_TRUE(step.ok()) << step.error().message;
      done = step.value();
    }
    ASSERT_LT(steps, 100);
    EXPECT_EQ(rng::state(), generator);
    const int built = window->renderer().planet_programs_built();
    EXPECT_GT(built, 0);

    // Every stage's fight, as a run reaches it.
    GameState state = start_run({1765000000, 0}, mode);
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

}  // namespace
}  // namespace ventora
