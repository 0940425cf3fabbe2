// The benchmark's scripted fight in the browser: the frames `bench --fight` times on the desktop,
// one per animation frame, drawn on the page's canvas through the game's window and renderer.
// Each frame is timed from its update until its pixels are done: WebGL's finish only flushes in
// Chromium, so a one-pixel read waits for the GPU instead. The times go to the page as
// Module.ventoraResult {width, height, work: [ms…], stepped: [ms until the update and the frame's
// draw list were done…], issued: [ms until its GL calls were made…], intervals: [ms between frame
// starts…]}.
//   bare page ?args=<mode>,<frames>
#include <emscripten.h>
#include <epoxy/gl.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/scripted_fight.h"
#include "check_report.h"
#include "layout/output_mode.h"
#include "platform/window.h"

namespace ventora {
namespace {

EM_JS(void, report_times,
      (int width, int height, const double* work, const double* stepped, const double* issued,
       const double* intervals, int frames), {
  const times = (at) => Array.from(HEAPF64.subarray(at / 8, at / 8 + frames));
  Module.ventoraResult = {width, height, work : times(work), stepped : times(stepped), issued : times(issued),
                          intervals : times(intervals)};
});

struct Bench {
  std::unique_ptr<Window> window;
  ScriptedFight fight;
  int frames = 0;  // to time, after the warm-up
  int frame = 0;
  double last_start = 0;
  std::vector<double> work, stepped, issued, intervals;
};

void frame(void* data) {
  Bench& b = *static_cast<Bench*>(data);
  const double start = emscripten_get_now();
  const DrawList list = b.fight.next();
  const double stepped = emscripten_get_now();
  if (const Status drawn = b.window->draw(list); !drawn) {
    emscripten_cancel_main_loop();
    report_failure(drawn.error().message);
    return;
  }
  const double issued = emscripten_get_now();
  std::uint8_t pixel[4];
  glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  const double end = emscripten_get_now();
  if (b.frame++ >= ScriptedFight::kWarmUpFrames) {
    b.work.push_back(end - start);
    b.stepped.push_back(stepped - start);
    b.issued.push_back(issued - start);
    b.intervals.push_back(start - b.last_start);
  }
  b.last_start = start;
  if (static_cast<int>(b.work.size()) < b.frames) return;
  emscripten_cancel_main_loop();
  report_times(b.fight.width(), b.fight.height(), b.work.data(), b.stepped.data(), b.issued.data(),
               b.intervals.data(), b.frames);
}

}  // namespace
}  // namespace ventora

int main(int argc, char** argv) {
  using namespace ventora;
  const std::optional<OutputMode> mode = argc > 1 ? mode_from_word(argv[1]) : std::nullopt;
  const int frames = argc > 2 ? std::atoi(argv[2]) : 0;
  if (!mode || frames < 1) {
    return report_failure("fight_bench: give ?args=<" + mode_words("|") + ">,<frames to time>");
  }
  static Bench bench{nullptr, ScriptedFight(*mode), frames, 0, 0, {}, {}, {}, {}};
  WindowConfig config;
  config.width = bench.fight.width();
  config.height = bench.fight.height();
  config.vsync = true;  // the browser paces its animation frames itself
  Result<std::unique_ptr<Window>> window = Window::open(config);
  if (!window) return report_failure(window.error().message);
  bench.window = std::move(window.value());
  emscripten_set_main_loop_arg(frame, &bench, 0, false);
  return 0;
}
