// Frame-time benchmark: plays a scripted fight offscreen in every output mode and prints, per mode,
// the floor of this machine for that screen size (one opaque full-screen textured quad from a
// 480 × 270 nearest texture, no clear, finish, swap), the game's frame time (p50, p95) and its
// ratio to the floor; then the same frames with every command drawn as recorded (the renderer's
// plain passes) and with every planet shader run per screen pixel (the direct reference). The
// floor, the game's frame and the plain frame are measured in turn within each frame, so the
// ratios hold on a busy machine.
//
//   tools/bench [frames]      (default 240 frames per mode; the direct path runs frames / 8)
#include <epoxy/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/run.h"
#include "gl/handles.h"
#include "gl/program.h"
#include "layout/render_settings.h"
#include "platform/gl_renderer.h"
#include "platform/window.h"
#include "view/scene.h"

namespace ventora {
namespace {

using Clock = std::chrono::steady_clock;
constexpr float kStep = 1.0f / 60.0f;
constexpr int kWarmUpFrames = 10;  // materials compile and targets appear in the first frames

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

// The floor: a 480 × 270 texture drawn over the whole drawable by the plainest shader there is.
class FloorPass {
 public:
  // The pass, or why its program does not build.
  static gl::Result<FloorPass> make() {
    const char* vs = "#version 330 core\nconst vec2 c[4] = vec2[](vec2(-1,-1), vec2(1,-1), vec2(-1,1), vec2(1,1));\n"
                     "out vec2 uv;\nvoid main() { uv = c[gl_VertexID] * 0.5 + 0.5; gl_Position = vec4(c[gl_VertexID], 0, 1); }\n";
    const char* fs = "#version 330 core\nuniform sampler2D tex;\nin vec2 uv;\nout vec4 frag;\n"
                     "void main() { frag = texture(tex, uv); }\n";
    gl::Result<gl::Program> program = gl::build_program(vs, fs);
    if (!program) return gl::Error{"the floor pass: " + program.error().message};
    FloorPass pass;
    pass.program_ = std::move(program.value());
    pass.vertex_array_ = gl::VertexArray::make();
    pass.texture_ = gl::Texture::make();
    glBindTexture(GL_TEXTURE_2D, pass.texture_.get());
    std::vector<std::uint8_t> texels(480 * 270 * 4);
    for (std::size_t i = 0; i < texels.size(); ++i) texels[i] = static_cast<std::uint8_t>(i * 7 % 251);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 480, 270, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return pass;
  }
  void draw(int width, int height) const {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
    glDisable(GL_BLEND);
    program_.use();
    glBindVertexArray(vertex_array_.get());
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture_.get());
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glBindVertexArray(0);
    glUseProgram(0);
  }

 private:
  gl::Program program_;
  gl::VertexArray vertex_array_;
  gl::Texture texture_;
};

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

struct Samples {
  std::vector<double> floor, game, plain, direct;
};

// One scripted fight of `frames` frames; each frame's update and scene go through the renderer's
// `paths` (false: the game's own; true: plain passes), each timed with its finish and swap.
void play(Window& window, const FloorPass& floor, OutputMode mode, int frames, bool direct,
          Samples& out) {
  GameState state = start_run({1765000000, 0}, mode);
  const WindowSize size = target_window_size(state.render_settings);
  const int w = static_cast<int>(size.width), h = static_cast<int>(size.height);
  GlRenderer& renderer = window.renderer();
  renderer.set_planet_direct_path(direct);

  for (int frame = 0; frame < kWarmUpFrames + frames; ++frame) {
    const bool counted = frame >= kWarmUpFrames;
    Clock::time_point start = Clock::now();
    FrameInput input = scripted_input(frame, static_cast<float>(w), static_cast<float>(h));
    update_game(state, input, kStep);
    if (state.screen != Screen::Fight) state = start_run({1765000000, 0}, mode);  // keep fighting
    DrawList list;
    Canvas canvas(list, input.screen_width, input.screen_height);
    canvas.set_time(input.time);
    draw_scene(state, canvas);
    const double simulation = ms_since(start);

    const auto timed = [&](bool plain) {
      renderer.set_plain_passes(plain);
      const Clock::time_point t = Clock::now();
      if (const gl::Status drawn = window.draw(list); !drawn) {
        std::fprintf(stderr, "bench: %s\n", drawn.error().message.c_str());
        std::exit(1);
      }
      renderer.finish();
      window.present();
      return simulation + ms_since(t);
    };
    if (direct) {
      const double ms = timed(false);
      if (counted) out.direct.push_back(ms);
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

}  // namespace
}  // namespace ventora

int main(int argc, char** argv) {
  using namespace ventora;
  const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 240;
  const int direct_frames = std::max(10, frames / 8);
  setenv("SDL_VIDEODRIVER", "offscreen", 0);

  std::printf("ms per frame: %d frames per mode (direct: %d); floor = one opaque full-screen textured quad\n",
              frames, direct_frames);
  std::printf("%-7s %7s | %7s %7s %6s | %7s %6s | %8s %7s\n", "mode", "floor", "p50", "p95", "/floor",
              "plain", "/game", "direct", "/game");
  for (const OutputModeInfo& mode : kOutputModes) {
    std::string error;
    WindowConfig config;
    config.width = static_cast<int>(mode.window.width);
    config.height = static_cast<int>(mode.window.height);
    config.vsync = false;
    auto window = Window::open(config, error);
    if (!window) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    const gl::Result<FloorPass> floor_pass = FloorPass::make();
    if (!floor_pass) {
      std::fprintf(stderr, "bench: %s\n", floor_pass.error().message.c_str());
      return 1;
    }
    Samples samples;
    play(*window, floor_pass.value(), mode.mode, frames, false, samples);
    play(*window, floor_pass.value(), mode.mode, direct_frames, true, samples);
    const Percentiles floor = percentiles(samples.floor), game = percentiles(samples.game),
                      plain = percentiles(samples.plain), direct = percentiles(samples.direct);
    std::printf("%-7s %7.2f | %7.2f %7.2f %5.2fx | %7.2f %5.2fx | %8.2f %6.1fx\n",
                std::string(mode.word).c_str(), floor.p50,
                game.p50, game.p95, game.p50 / floor.p50, plain.p50, plain.p50 / game.p50, direct.p50,
                direct.p50 / game.p50);
  }
  return 0;
}
