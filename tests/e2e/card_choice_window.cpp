// The real window and renderer on the card choice, for the fullscreen end-to-end test: the bot wins
// the first fight from a fixed clock (logic only), then the window runs the frame loop's steps as
// the game does. Each pick prints "picked box N" (1..3) on stdout; Escape ends it.
//   card_choice_window [--mode MODE]
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/pad_controls.h"
#include "app/running_frame.h"
#include "game/run.h"
#include "layout/render_settings.h"
#include "platform/window.h"
#include "tests/support/bot.h"
#include "tests/support/play_frame.h"

int main(int argc, char** argv) {
  using namespace ventora;
  const std::vector<std::string_view> args(argv, argv + argc);
  Pcg32 rng;
  GameState state = start_run(rng, {1765000000, 0}, parse_command_line(args).mode);
  double clock = 0;
  bot::play_fight(state, rng, 1.0f / 60, 20000, &clock);
  FrameInput cont = bot::idle_input(state, clock);
  cont.press(Key::C);
  play_frame(state, rng, cont, 1.0f / 60);
  if (state.screen != Screen::CardChoice) {
    std::fprintf(stderr, "the bot did not reach the card choice\n");
    return 1;
  }

  const WindowSize size = target_window_size(state.render_settings);
  WindowConfig config;
  config.width = static_cast<int>(size.width);
  config.height = static_cast<int>(size.height);
  Result<std::unique_ptr<Window>> opened = Window::open(config);
  if (!opened) {
    std::fprintf(stderr, "%s\n", opened.error().message.c_str());
    return 1;
  }
  const std::unique_ptr<Window> window = std::move(opened.value());
  PadPointer pointer;
  for (;;) {
    FrameInput input;
    if (!window->poll(input)) return 0;
    const FrameGeometry geometry = frame_geometry(state.render_settings.mode, input);
    apply_pad(window->pad(), state.screen, geometry.hud, pointer, input);
    const Screen before = state.screen;
    DrawList list;
    const FrameOutcome outcome =
        run_frame(state, rng, nullptr, input, geometry, 1.0f / 60, list);
    if (outcome.quit) return 0;
    if (before == Screen::CardChoice && state.screen != Screen::CardChoice) {
      for (int box = 0; box < 3; ++box) {
        if (state.offer[static_cast<size_t>(box)].card == state.modifier_stack.picks.back()) {
          std::printf("picked box %d\n", box + 1);
          std::fflush(stdout);
        }
      }
    }
    if (outcome.window_size) {
      window->request_size(static_cast<int>(outcome.window_size->width),
                           static_cast<int>(outcome.window_size->height));
    }
    if (const Status drawn = window->draw(list); !drawn) {
      std::fprintf(stderr, "%s\n", drawn.error().message.c_str());
      return 1;
    }
    window->present();
  }
}
