// Frame-time benchmark: plays a scripted fight offscreen in every output mode and prints, per mode,
// the floor of this machine for that screen size (one opaque full-screen textured quad from a
// 480 × 270 nearest texture, no clear, finish, swap), the game's frame time (p50, p95) and its
// ratio to the floor; then the same frames with every command drawn as recorded (the renderer's
// plain passes) and with every planet shader run per screen pixel (the direct reference). The
// floor, the game's frame and the plain frame are measured in turn within each frame, so the
// ratios hold on a busy machine.
//
//   tools/bench [frames]      (default 240 frames per mode; the direct path runs frames / 8)
//   tools/bench --run [--cold] [mode...]
//                             the bot's whole run in each mode (every mode by default), every
//                             frame timed: p50, p99 and the worst frame per screen, and the floor;
//                             --cold leaves out the start-up's warm-up, to see what it saves
//   tools/bench --fight FRAMES mode...
//                             the game's frames of the scripted fight alone in each mode named,
//                             one line a mode: "<mode> p50 <ms> p95 <ms>" (tools/web-bench reads it
//                             to set the browser's frames beside the desktop's)
#include <epoxy/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/floor_pass.h"
#include "bench/scripted_fight.h"
#include "bench/whole_run.h"
#include "layout/output_mode.h"
#include "render/gl_renderer.h"
#include "platform/window.h"

namespace ventora {
namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Percentiles {
  double p50, p95;
};

Percentiles percentiles(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  auto at = [&](double q) { return ms[static_cast<size_t>(q * (ms.size() - 1))]; };
  return {at(0.5), at(0.95)};
}

struct Samples {
  std::vector<double> floor, game, plain, direct;
};

// What one scripted fight measures per frame.
enum class Measure {
  Floor,   // the floor, the game's frame and its plain passes, in turn
  Game,    // the game's frame alone
  Direct,  // the game's frame with every planet shader run per screen pixel
};

// One scripted fight of `frames` frames; each frame's update and scene go through the renderer as
// `measure` says, each timed with its finish and swap.
void play(Window& window, const FloorPass& floor, OutputMode mode, int frames, Measure measure,
          Samples& out) {
  ScriptedFight fight(mode);
  const int w = fight.width(), h = fight.height();
  GlRenderer& renderer = window.renderer();
  renderer.set_planet_direct_path(measure == Measure::Direct);

  for (int frame = 0; frame < ScriptedFight::kWarmUpFrames + frames; ++frame) {
    const bool counted = frame >= ScriptedFight::kWarmUpFrames;
    Clock::time_point start = Clock::now();
    const DrawList list = fight.next();
    const double simulation = ms_since(start);

    const auto timed = [&](bool plain) {
      renderer.set_plain_passes(plain);
      const Clock::time_point t = Clock::now();
      if (const Status drawn = window.draw(list); !drawn) {
        std::fprintf(stderr, "bench: %s\n", drawn.error().message.c_str());
        std::exit(1);
      }
      renderer.finish();
      window.present();
      return simulation + ms_since(t);
    };
    if (measure != Measure::Floor) {
      const double ms = timed(false);
      if (counted) (measure == Measure::Direct ? out.direct : out.game).push_back(ms);
      continue;
    }
    start = Clock::now();
    floor.draw(w, h);
    renderer.finish();
    window.present();
    const double floor_ms = ms_since(start);
    const double game_ms = timed(false);
    const double plain_ms = timed(true);
    if (counted) {
      out.floor.push_back(floor_ms);
      out.game.push_back(game_ms);
      out.plain.push_back(plain_ms);
    }
  }
  renderer.set_plain_passes(false);
  renderer.set_planet_direct_path(false);
}

// A window of the mode's size for measuring (no vsync), with its floor pass; nothing after saying why.
struct BenchWindow {
  std::unique_ptr<Window> window;
  std::optional<FloorPass> floor;
};

BenchWindow open_bench_window(const OutputModeInfo& mode) {
  WindowConfig config;
  config.width = static_cast<int>(mode.window.width);
  config.height = static_cast<int>(mode.window.height);
  config.vsync = false;
  Result<std::unique_ptr<Window>> opened = Window::open(config);
  if (!opened) {
    std::fprintf(stderr, "%s\n", opened.error().message.c_str());
    return {};
  }
  BenchWindow bench{std::move(opened.value()), std::nullopt};
  Result<FloorPass> floor_pass = FloorPass::make();
  if (!floor_pass) {
    std::fprintf(stderr, "bench: %s\n", floor_pass.error().message.c_str());
    bench.window.reset();
    return bench;
  }
  bench.floor.emplace(std::move(floor_pass.value()));
  return bench;
}

// The whole run in the modes named (every mode when none is).
int whole_runs(int argc, char** argv) {
  const bool cold = argc > 0 && std::string_view(argv[0]) == "--cold";
  std::vector<const OutputModeInfo*> modes;
  for (int i = cold ? 1 : 0; i < argc; ++i) {
    const std::optional<OutputMode> mode = mode_from_word(argv[i]);
    if (!mode) {
      std::fprintf(stderr, "bench: no output mode '%s' (%s)\n", argv[i], mode_words("|").c_str());
      return 2;
    }
    modes.push_back(&mode_info(*mode));
  }
  if (modes.empty()) {
    for (const OutputModeInfo& mode : kOutputModes) modes.push_back(&mode);
  }
  std::printf("the bot's whole run, every frame drawn%s; ms per frame by screen: frames, p50, p99, worst\n",
              cold ? ", no warm-up" : "");
  for (const OutputModeInfo* mode : modes) {
    BenchWindow bench = open_bench_window(*mode);
    if (!bench.window || !bench_whole_run(*bench.window, *bench.floor, mode->mode, !cold)) return 1;
  }
  return 0;
}

// The scripted fight's game frames alone in the modes named, one line each.
int fight_only(int argc, char** argv) {
  const int frames = argc > 0 ? std::atoi(argv[0]) : 0;
  if (frames < 10 || argc < 2) {
    std::fprintf(stderr, "usage: bench --fight FRAMES (at least 10) mode... (%s)\n", mode_words("|").c_str());
    return 2;
  }
  for (int i = 1; i < argc; ++i) {
    const std::optional<OutputMode> mode = mode_from_word(argv[i]);
    if (!mode) {
      std::fprintf(stderr, "bench: no output mode '%s' (%s)\n", argv[i], mode_words("|").c_str());
      return 2;
    }
    BenchWindow bench = open_bench_window(mode_info(*mode));
    if (!bench.window) return 1;
    Samples samples;
    play(*bench.window, *bench.floor, *mode, frames, Measure::Game, samples);
    const Percentiles game = percentiles(samples.game);
    std::printf("%s p50 %.2f p95 %.2f\n", argv[i], game.p50, game.p95);
  }
  return 0;
}

}  // namespace
}  // namespace ventora

int main(int argc, char** argv) {
  using namespace ventora;
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (argc > 1 && std::string_view(argv[1]) == "--run") return whole_runs(argc - 2, argv + 2);
  if (argc > 1 && std::string_view(argv[1]) == "--fight") return fight_only(argc - 2, argv + 2);
  const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 240;
  const int direct_frames = std::max(10, frames / 8);

  std::printf("ms per frame: %d frames per mode (direct: %d); floor = one opaque full-screen textured quad\n",
              frames, direct_frames);
  std::printf("%-7s %7s | %7s %7s %6s | %7s %6s | %8s %7s\n", "mode", "floor", "p50", "p95", "/floor",
              "plain", "/game", "direct", "/game");
  for (const OutputModeInfo& mode : kOutputModes) {
    BenchWindow bench = open_bench_window(mode);
    if (!bench.window) return 1;
    Samples samples;
    play(*bench.window, *bench.floor, mode.mode, frames, Measure::Floor, samples);
    play(*bench.window, *bench.floor, mode.mode, direct_frames, Measure::Direct, samples);
    const Percentiles floor = percentiles(samples.floor), game = percentiles(samples.game),
                      plain = percentiles(samples.plain), direct = percentiles(samples.direct);
    std::printf("%-7s %7.2f | %7.2f %7.2f %5.2fx | %7.2f %5.2fx | %8.2f %6.1fx\n",
                std::string(mode.word).c_str(), floor.p50,
                game.p50, game.p95, game.p50 / floor.p50, plain.p50, plain.p50 / game.p50, direct.p50,
                direct.p50 / game.p50);
  }
  return 0;
}
