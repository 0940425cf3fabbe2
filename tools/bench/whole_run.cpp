#include "bench/whole_run.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/drawing_warm_up.h"
#include "game/run.h"
#include "render/gl_renderer.h"
#include "tests/support/run_bot.h"
#include "view/scene.h"

namespace ventora {

namespace {

using Clock = std::chrono::steady_clock;
constexpr float kStep = 1.0f / 60.0f;
constexpr ClockReading kRunClock{1765000000, 500};
constexpr int kVictoryFrames = 180;  // the confetti after the last stage

double ms_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The screens in the order a run meets them, as the table lists them.
constexpr std::array kScreens = {Screen::Fight,      Screen::Countdown, Screen::StageClear,
                                 Screen::CardChoice, Screen::Victory,   Screen::Defeat};

const char* screen_name(Screen screen) {
  switch (screen) {
    case Screen::Fight:
      return "fight";
    case Screen::Countdown:
      return "countdown";
    case Screen::StageClear:
      return "stage clear";
    case Screen::CardChoice:
      return "card choice";
    case Screen::Victory:
      return "victory";
    case Screen::Defeat:
      return "defeat";
  }
  return "?";
}

double at_quantile(std::vector<double> ms, double q) {
  std::sort(ms.begin(), ms.end());
  return ms[static_cast<std::size_t>(q * static_cast<double>(ms.size() - 1))];
}

struct TimedFrame {
  double ms = 0;
  Screen screen = Screen::Fight;
  std::uint64_t stage = 0;
  int frame = 0;
};

// The run's slowest frames, slowest first.
constexpr std::size_t kSlowestShown = 5;

class RunTimer {
 public:
  RunTimer(Window& window, const FloorPass& floor) : window_(window), floor_(floor) {}

  // Times one frame: its update (`update_ms`, already taken) and the drawing of what it left,
  // finished and presented; then the floor at the same size.
  bool frame(const GameState& state, const FrameInput& input, double update_ms) {
    const Clock::time_point start = Clock::now();
    DrawList list;
    Canvas canvas(list, input.screen_width, input.screen_height);
    canvas.set_time(input.time);
    draw_scene(state, canvas);
    if (const Status drawn = window_.draw(list); !drawn) {
      std::fprintf(stderr, "bench: %s\n", drawn.error().message.c_str());
      return false;
    }
    window_.renderer().finish();
    window_.present();
    const double ms = update_ms + ms_since(start);
    by_screen_[static_cast<std::size_t>(state.screen)].push_back(ms);
    if (state.stage != last_stage_) stage_starts_.push_back({ms, state.screen, state.stage, frames_});
    last_stage_ = state.stage;
    slowest_.push_back({ms, state.screen, state.stage, frames_});
    std::ranges::sort(slowest_, std::ranges::greater{}, &TimedFrame::ms);
    if (slowest_.size() > kSlowestShown) slowest_.pop_back();
    ++frames_;

    const Clock::time_point floor_start = Clock::now();
    floor_.draw(static_cast<int>(input.screen_width), static_cast<int>(input.screen_height));
    window_.renderer().finish();
    window_.present();
    floor_ms_.push_back(ms_since(floor_start));
    return true;
  }

  void print(OutputMode mode) const {
    const std::vector<double>& fight = by_screen_[static_cast<std::size_t>(Screen::Fight)];
    const double fight_p50 = fight.empty() ? 0 : at_quantile(fight, 0.5);
    std::printf("%-7s floor p50 %.2f ms, %d frames\n", std::string(mode_word(mode)).c_str(),
                at_quantile(floor_ms_, 0.5), frames_);
    for (const Screen screen : kScreens) {
      const std::vector<double>& ms = by_screen_[static_cast<std::size_t>(screen)];
      if (ms.empty()) continue;
      std::printf("  %-12s %6zu %8.2f %8.2f %8.2f\n", screen_name(screen), ms.size(), at_quantile(ms, 0.5),
                  at_quantile(ms, 0.99), *std::max_element(ms.begin(), ms.end()));
    }
    std::size_t over = 0;
    for (const std::vector<double>& ms : by_screen_) {
      over +=
          static_cast<std::size_t>(std::ranges::count_if(ms, [&](double m) { return m > 2 * fight_p50; }));
    }
    std::printf("  each stage's first frame, as a multiple of the fight's p50:");
    for (const TimedFrame& f : stage_starts_) {
      std::printf(" %.2f (%s %llu)", f.ms / fight_p50, screen_name(f.screen),
                  static_cast<unsigned long long>(f.stage));
    }
    std::printf("\n");
    std::printf("  frames above 2 x the fight's p50: %zu; the slowest, as multiples of it:", over);
    for (const TimedFrame& f : slowest_) {
      std::printf(" %.2f (%s %llu, frame %d)", f.ms / fight_p50, screen_name(f.screen),
                  static_cast<unsigned long long>(f.stage), f.frame);
    }
    std::printf("\n");
  }

 private:
  Window& window_;
  const FloorPass& floor_;
  std::array<std::vector<double>, kScreens.size()> by_screen_;
  std::vector<double> floor_ms_;
  std::vector<TimedFrame> slowest_;
  std::vector<TimedFrame> stage_starts_;
  std::uint64_t last_stage_ = 0;
  int frames_ = 0;
};

}  // namespace

bool bench_whole_run(Window& window, const FloorPass& floor, OutputMode mode, bool warm) {
  // The game's start-up: every program built and used once before the run's first frame.
  DrawingWarmUp warm_up(mode);
  while (warm) {
    const Result<bool> warmed = warm_up.step(window);
    if (!warmed) {
      std::fprintf(stderr, "bench: %s\n", warmed.error().message.c_str());
      return false;
    }
    if (warmed.value()) break;
  }

  const int programs_before = window.renderer().planet_programs_built();
  RunTimer timer(window, floor);
  Pcg32 rng;
  GameState state = start_run(rng, kRunClock, mode);
  double update_ms = 0;
  const auto update = [&](GameState& s, Pcg32& generator, const FrameInput& input, float dt) {
    const Clock::time_point start = Clock::now();
    update_game(s, generator, input, frame_geometry(mode, input), dt);
    update_ms = ms_since(start);
  };
  bool drawn = true;
  bot::RunPlan plan;
  plan.dt = kStep;
  plan.route = bot::Route::ThroughBonus;
  plan.step = update;
  plan.on_frame = [&](const GameState& s, const FrameInput& input) {
    drawn = drawn && timer.frame(s, input, update_ms);
  };
  bot::RunRecord run = bot::play_run(state, rng, plan);
  for (int i = 0; i < kVictoryFrames && drawn && state.screen == Screen::Victory; ++i) {
    const FrameInput input = bot::idle_input(state, run.time);
    update(state, rng, input, plan.dt);
    drawn = timer.frame(state, input, update_ms);
    run.time += plan.dt;
  }
  if (drawn) timer.print(mode);
  if (drawn) {
    std::printf("  planet programs built during the run: %d\n",
                window.renderer().planet_programs_built() - programs_before);
  }
  return drawn;
}

}  // namespace ventora
