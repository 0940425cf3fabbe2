// Start-up and the frame loop: open the window, set up music, let one frame pass, start the run,
// then once per displayed frame update the game and draw it.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/frame_loop.h"
#include "app/running_frame.h"
#include "app/window_config.h"
#include "game/run.h"
#include "layout/render_settings.h"
#include "music/music_player.h"
#include "platform/sdl_audio_out.h"
#include "platform/window.h"

namespace ventora {
namespace {

// The loop as the explicit state machine of its suspension points.
enum class LoopState { MusicSetUp, FirstFrame, Running, Ended };

class FrameLoop {
 public:
  explicit FrameLoop(Window& window) : window_(window) {}

  // One displayed frame. False once the program should end.
  bool frame() {
    FrameInput input;
    if (!window_.poll(input)) return false;  // closed through the window system
    DrawList list;
    switch (loop_state_) {
      case LoopState::MusicSetUp:
        music_ = music_player_from_environment([] { return open_sdl_audio_out(); });
        loop_state_ = LoopState::FirstFrame;
        break;
      case LoopState::FirstFrame:
        state_ = start_run(read_system_clock());
        loop_state_ = LoopState::Running;
        break;
      case LoopState::Running:
        if (!running_frame(input, list)) loop_state_ = LoopState::Ended;
        break;
      case LoopState::Ended:
        break;
    }
    if (loop_state_ == LoopState::Ended) return false;
    window_.draw(list);
    window_.present();
    return true;
  }

 private:
  // False when Escape ends the program.
  bool running_frame(const FrameInput& input, DrawList& list) {
    const float dt = frame_dt(window_.frame_seconds());
    const FrameOutcome outcome = run_frame(*state_, music_.get(), input, dt, list);
    if (outcome.quit) return false;
    if (outcome.window_size) {
      window_.request_size(static_cast<int>(outcome.window_size->width),
                           static_cast<int>(outcome.window_size->height));
    }
    return true;
  }

  Window& window_;
  LoopState loop_state_ = LoopState::MusicSetUp;
  std::unique_ptr<MusicPlayer> music_;
  std::optional<GameState> state_;
};

}  // namespace
}  // namespace ventora

int main(int argc, char** argv) {
  using namespace ventora;
  set_process_args(argc, argv);
  const std::vector<std::string_view> args(argv, argv + argc);
  const CommandLine command_line = parse_command_line(args);
  if (command_line.show_help) {
    std::fputs(usage_text().c_str(), stdout);
    return 0;
  }
  if (command_line.show_version) {
    std::printf("%s\n", version_text().c_str());
    return 0;
  }
  for (const std::string& note : command_line.notes) std::fprintf(stderr, "%s\n", note.c_str());

  std::string error;
  std::unique_ptr<Window> window =
      Window::open(window_config_for(render_settings_from_process_args()), error);
  if (!window) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  FrameLoop loop(*window);
  while (loop.frame()) {
  }
  return 0;
}
