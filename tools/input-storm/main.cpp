// Input storm: plays the running frame exactly as the window's loop does (frame time through
// frame_dt, run_frame with update_game and draw_scene, window-size requests granted) with random
// keys, clicks, frame times and window sizes, and checks the game's invariants after every frame.
//
//   input-storm --frames N --seed S [--mode MODE]    (MODE: the game's own --mode words)
//
// Prints the first violation with its seed and frame, and ends with "N frames, V violations"
// (V counts the frames that broke an invariant). Exit status 1 when V > 0.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/frame_timing.h"
#include "app/running_frame.h"
#include "game/run.h"
#include "game/run_seed.h"
#include "invariants.h"
#include "layout/output_mode.h"
#include "layout/render_settings.h"
#include "random_input.h"

namespace ventora::storm {
namespace {

struct Options {
  std::uint64_t frames = 0;
  std::uint64_t seed = 0;
  OutputMode mode = kDefaultOutputMode;
};

template <typename Number>
bool parse_number(std::string_view text, Number& out) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  return error == std::errc() && end == text.data() + text.size();
}

std::optional<Options> parse_options(int argc, char** argv) {
  Options options;
  bool have_frames = false, have_seed = false;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view name = argv[i], value = argv[i + 1];
    if (name == "--frames") {
      have_frames = parse_number(value, options.frames);
    } else if (name == "--seed") {
      have_seed = parse_number(value, options.seed);
    } else if (name == "--mode") {
      const std::optional<OutputMode> mode = mode_from_word(value);
      if (!mode) return std::nullopt;
      options.mode = *mode;
    } else {
      return std::nullopt;
    }
  }
  if (argc % 2 == 0 || !have_frames || !have_seed) return std::nullopt;
  return options;
}

// A restart reads the wall clock; the storm's own clock, from the seed, keeps a storm repeatable.
ClockReading storm_clock(std::uint64_t seed, std::uint64_t frame) {
  return {static_cast<std::int64_t>(1'700'000'000 + seed % 100'000'000),
          static_cast<std::uint32_t>(frame % 1'000'000'000)};
}

// How far the storm got into the game, so a clean result can be told from a storm stuck at the
// start.
struct Reach {
  std::uint64_t fights_won = 0, cards_picked = 0, restarts = 0, resizes_asked = 0;
  std::uint64_t highest_stage = 1;
};

int run(const Options& options) {
  const std::string word(mode_word(options.mode));
  Pcg32 rng;
  GameState state = start_run(rng, storm_clock(options.seed, 0), options.mode);
  const WindowSize window = target_window_size(state.render_settings);
  RandomPlayer player(options.seed, static_cast<float>(window.width),
                      static_cast<float>(window.height));

  Reach reach;
  std::uint64_t violations = 0;
  DrawList list;
  for (std::uint64_t frame = 0; frame < options.frames; ++frame) {
    const double seconds = player.frame_seconds();
    const float dt = frame_dt(seconds);
    const FrameInput input = player.next_frame(state, seconds, dt);
    const Screen before = state.screen;
    const std::size_t picks_before = state.modifier_stack.picks.size();
    list.clear();
    const FrameOutcome outcome = run_frame(
        state, rng, nullptr, input, frame_geometry(options.mode, input), dt, list);
    if (input.is_pressed(Key::R)) {
      seed_run_from_clock(state, rng, storm_clock(options.seed, frame));
      ++reach.restarts;
    }
    if (outcome.window_size) {
      player.resize(static_cast<float>(outcome.window_size->width),
                    static_cast<float>(outcome.window_size->height));
      ++reach.resizes_asked;
    }
    if (before == Screen::Fight &&
        (state.screen == Screen::StageClear || state.screen == Screen::Victory)) {
      ++reach.fights_won;
    }
    if (state.modifier_stack.picks.size() > picks_before) ++reach.cards_picked;
    if (state.stage != 6 && state.stage > reach.highest_stage) reach.highest_stage = state.stage;

    std::optional<std::string> broken = check_state(state);
    // A restart starts the next run in the same mode.
    if (!broken && state.render_settings.mode != options.mode) broken = "the output mode changed";
    if (!broken) broken = check_draw_list(list);
    if (broken) {
      if (violations == 0) {
        std::printf("seed %llu frame %llu (%s, screen %.0fx%.0f): %s\n",
                    static_cast<unsigned long long>(options.seed),
                    static_cast<unsigned long long>(frame), word.c_str(),
                    input.screen_width, input.screen_height, broken->c_str());
      }
      ++violations;
    }
  }
  std::printf(
      "%s: %llu fights won, %llu cards picked, highest stage %llu, %llu restarts, %llu window "
      "sizes asked\n",
      word.c_str(), static_cast<unsigned long long>(reach.fights_won),
      static_cast<unsigned long long>(reach.cards_picked),
      static_cast<unsigned long long>(reach.highest_stage),
      static_cast<unsigned long long>(reach.restarts),
      static_cast<unsigned long long>(reach.resizes_asked));
  std::printf("%llu frames, %llu violations\n", static_cast<unsigned long long>(options.frames),
              static_cast<unsigned long long>(violations));
  return violations == 0 ? 0 : 1;
}

}  // namespace
}  // namespace ventora::storm

int main(int argc, char** argv) {
  const auto options = ventora::storm::parse_options(argc, argv);
  if (!options) {
    std::fprintf(stderr, "usage: input-storm --frames N --seed S [--mode %s]\n",
                 ventora::mode_words("|").c_str());
    return 2;
  }
  return ventora::storm::run(*options);
}
