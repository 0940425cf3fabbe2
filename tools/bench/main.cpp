// Frame-time benchmark: plays a scripted fight offscreen in every output mode, with the planet
// drawn at art resolution (the game's path) and with every shader run per screen pixel (the
// reference), and prints frame-time percentiles and the ratio of the two paths.
//
//   tools/bench [frames]      (default 240 frames per mode on the game's path)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "game/run.h"
#include "layout/render_settings.h"
#include "platform/gl_renderer.h"
#include "platform/window.h"
#include "view/scene.h"

namespace ventora {
namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr int kWarmUpFrames = 10;  // materials compile and targets appear in the first frames

struct Percentiles {
  double p50, p90, p99, max;
};

Percentiles percentiles(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  auto at = [&](double q) { return ms[static_cast<size_t>(q * (ms.size() - 1))]; };
  return {at(0.5), at(0.9), at(0.99), ms.back()};
}

// The scripted player: runs right, then left, firing every 45 frames.
FrameInput scripted_input(int frame, float width, float height) {
  FrameInput input;
  input.screen_width = width;
  input.screen_height = height;
  input.time = frame * kStep;
  input.hold((frame / 90) % 2 == 0 ? Key::D : Key::A);
  if (frame % 45 == 0) input.press(Key::J);
  return input;
}

// Milliseconds per frame (update, scene, render, GPU finish) over `frames` frames.
std::vector<double> play(Window& window, std::string_view mode, bool direct, int frames) {
  std::string program = "bench", flag = "--mode", value(mode);
  char* argv[] = {program.data(), flag.data(), value.data()};
  set_process_args(3, argv);
  GameState state = start_run({1765000000, 0});
  const WindowSize size = target_window_size(state.render_settings);
  window.renderer().set_planet_direct_path(direct);

  std::vector<double> times;
  for (int frame = 0; frame < kWarmUpFrames + frames; ++frame) {
    const auto start = std::chrono::steady_clock::now();
    FrameInput input = scripted_input(frame, static_cast<float>(size.width),
                                      static_cast<float>(size.height));
    update_game(state, input, kStep);
    if (state.screen != Screen::Fight) state = start_run({1765000000, 0});  // keep fighting
    DrawList list;
    Canvas canvas(list, input.screen_width, input.screen_height);
    canvas.set_time(input.time);
    draw_scene(state, canvas);
    window.draw(list);
    window.renderer().finish();
    window.present();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (frame >= kWarmUpFrames) times.push_back(took.count());
  }
  return times;
}

}  // namespace
}  // namespace ventora

int main(int argc, char** argv) {
  using namespace ventora;
  const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 240;
  setenv("SDL_VIDEODRIVER", "offscreen", 0);

  std::printf("%-7s %-6s %8s %8s %8s %8s  (ms per frame, %d frames; direct path %d frames)\n",
              "mode", "path", "p50", "p90", "p99", "max", frames, std::max(10, frames / 8));
  const std::pair<const char*, WindowSize> modes[] = {
      {"og", {960, 720}}, {"hd720", {1280, 720}}, {"hd1080", {1920, 1080}}, {"hd4k", {3840, 2160}}};
  for (const auto& [mode, size] : modes) {
    std::string error;
    WindowConfig config;
    config.width = static_cast<int>(size.width);
    config.height = static_cast<int>(size.height);
    auto window = Window::open(config, error);
    if (!window) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    const Percentiles fast = percentiles(play(*window, mode, false, frames));
    const Percentiles direct = percentiles(play(*window, mode, true, std::max(10, frames / 8)));
    std::printf("%-7s %-6s %8.2f %8.2f %8.2f %8.2f\n", mode, "art", fast.p50, fast.p90, fast.p99,
                fast.max);
    std::printf("%-7s %-6s %8.2f %8.2f %8.2f %8.2f   direct / art at p50: %.1fx\n", mode,
                "direct", direct.p50, direct.p90, direct.p99, direct.max, direct.p50 / fast.p50);
  }
  return 0;
}
