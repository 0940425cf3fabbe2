// The whole frame on the real renderer (SDL's offscreen driver, Mesa): the screen passes that the
// renderer merges (no clear under a covering backdrop, the backdrop unblended, the backdrop and the
// planet's art layers in one pass) must give exactly the pixels of drawing every command as
// recorded, in every output mode, for every planet kind and with overlays on top.
#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "game/draft.h"
#include "game/run.h"
#include "render/gl_renderer.h"
#include "platform/window.h"
#include "tests/support/gl_status.h"
#include "view/scene.h"
#include "tests/support/play_frame.h"

namespace ventora {

// The test names show the mode's word (found by argument lookup, so outside the unnamed namespace).
void PrintTo(OutputMode mode, std::ostream* out) { *out << mode_word(mode); }

namespace {

std::vector<std::uint8_t> screen_pixels(int width, int height) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

// Where two frames first differ, for the failure message.
std::string first_difference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                             int width, int height) {
  std::size_t differing = 0, first = 0;
  for (std::size_t i = 0; i < a.size(); i += 4) {
    if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) {
      if (differing++ == 0) first = i / 4;
    }
  }
  if (differing == 0) return "";
  const std::size_t x = first % static_cast<std::size_t>(width);
  const std::size_t y = static_cast<std::size_t>(height) - 1 - first / static_cast<std::size_t>(width);
  return std::to_string(differing) + " pixels differ, the first at (" + std::to_string(x) + ", " +
         std::to_string(y) + ")";
}

class FramePixels : public ::testing::TestWithParam<OutputMode> {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    Result<std::unique_ptr<Window>> opened =
        Window::open({"Ventora test", width(), height(), false, false});
    if (!opened) GTEST_SKIP() << "no GL context from the offscreen driver: " << opened.error().message;
    window_ = std::move(opened.value());
  }

  static int width() { return static_cast<int>(mode_info(GetParam()).window.width); }
  static int height() { return static_cast<int>(mode_info(GetParam()).window.height); }

  // Draws the state's frame once and renders that list both ways.
  void expect_same_pixels(GameState& state, double time, const std::string& what) {
    SCOPED_TRACE(what);
    const int w = width(), h = height();
    DrawList list;
    Canvas canvas(list, static_cast<float>(w), static_cast<float>(h));
    canvas.set_time(time);
    draw_scene(state, canvas);
    window_->renderer().set_plain_passes(true);
    const std::vector<std::uint8_t> plain = render(list);
    window_->renderer().set_plain_passes(false);
    const std::vector<std::uint8_t> merged = render(list);
    EXPECT_EQ(first_difference(plain, merged, w, h), "");
  }

  // Over magenta, so that a pixel a path leaves out shows.
  std::vector<std::uint8_t> render(const DrawList& list) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClearColor(1, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(test::succeeded(window_->draw(list)));
    return screen_pixels(width(), height());
  }

  std::unique_ptr<Window> window_;
};

// A fight a little way in (pads winding up and striking), then the other screens over it.
TEST_P(FramePixels, EveryScreenOfARun) {
  Pcg32 rng;
  GameState state = start_run(rng, {1765000000, 0}, GetParam());
  FrameInput input;
  input.screen_width = static_cast<float>(width());
  input.screen_height = static_cast<float>(height());
  for (int frame = 0; frame < 50; ++frame) {
    input.pressed.reset();
    input.held.reset();
    input.hold(frame < 25 ? Key::D : Key::A);
    if (frame % 20 == 0) input.press(Key::J);
    play_frame(state, rng, input, 1.0f / 60);
  }
  expect_same_pixels(state, 0.5, "fight");
  expect_same_pixels(state, 0.05, "fight, the player flashing white");
  state.screen = Screen::Countdown;
  state.countdown = 2.2f;
  expect_same_pixels(state, 0.5, "countdown");
  state.screen = Screen::Defeat;
  expect_same_pixels(state, 0.5, "defeat");
  state.screen = Screen::StageClear;
  expect_same_pixels(state, 0.5, "stage clear");
  state.screen = Screen::CardChoice;
  state.offer = draw_offer(rng);
  expect_same_pixels(state, 0.5, "card choice");
  state.screen = Screen::Victory;
  for (int frame = 0; frame < 30; ++frame) {
    confetti_step(state, rng, 1.0f / 60, frame / 60.0, input.screen_width, input.screen_height);
  }
  expect_same_pixels(state, 0.5, "victory with confetti");
  state.screen = Screen::Fight;
  state.planet.reset();
  expect_same_pixels(state, 0.5, "no planet");
}

TEST_P(FramePixels, EveryPlanetKind) {
  Pcg32 rng;
  GameState state = start_run(rng, {1765000000, 0}, GetParam());
  for (int k = 0; k < planet::kPlanetKindCount; ++k) {
    const auto kind = static_cast<planet::PlanetKind>(k);
    planet::PlanetParams params;
    params.seed = 1234567 + static_cast<std::uint64_t>(k);
    params.pixels = planet_pixel_count(state.render_settings);
    params.time = 3.7f;
    state.planet = planet::create_planet(kind, params);
    state.planet_turn = 0.3f * static_cast<float>(k);
    expect_same_pixels(state, 0.5, std::string(planet::kind_name(kind)));
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, FramePixels,
                         ::testing::Values(OutputMode::Og, OutputMode::Hd720, OutputMode::Hd1080,
                                           OutputMode::Hd4k),
                         [](const ::testing::TestParamInfo<OutputMode>& info) {
                           return std::string(mode_word(info.param));
                         });

}  // namespace
}  // namespace ventora
