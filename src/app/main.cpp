// Start-up: read the command line, open the window, and hand it to the desktop host.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/desktop_host.h"
#include "app/quit_signals.h"
#include "app/replay_options.h"
#include "app/window_config.h"
#include "base/result.h"
#include "draw/font.h"
#include "platform/window.h"

int main(int argc, char** argv) {
  using namespace ventora;
  const std::vector<std::string_view> args(argv, argv + argc);
  CommandLine command_line = parse_command_line(args);
  const std::optional<int> fps_cap = frame_cap(command_line, std::getenv("VENTORA_FPS"));
  if (command_line.show_help) {
    std::fputs(usage_text().c_str(), stdout);
    return 0;
  }
  if (command_line.show_version) {
    std::printf("%s\n", version_text().c_str());
    return 0;
  }
  for (const std::string& note : command_line.notes) std::fprintf(stderr, "%s\n", note.c_str());
  ReplayStart replay = start_replay_options(command_line);
  if (replay.exit_code) return *replay.exit_code;

  // A replay plays in the mode it was recorded in.
  const OutputMode mode = replay.playback ? replay.playback->header().mode : command_line.mode;
  WindowConfig config = window_config_for(mode);
  config.fullscreen = command_line.fullscreen;
  config.scaling = command_line.integer_scale ? Scaling::Whole : Scaling::Fill;
  config.vsync = fps_cap != 0;  // uncapped means uncapped
  if (const Status font = Font::embedded_status(); !font) {
    std::fprintf(stderr, "%s\n", font.error().message.c_str());
    return 1;
  }
  watch_quit_signals();
  Result<std::unique_ptr<Window>> opened = Window::open(config);
  if (!opened) {
    std::fprintf(stderr, "%s\n", opened.error().message.c_str());
    return 1;
  }
  const std::unique_ptr<Window> window = std::move(opened.value());
  if (replay.playback) return play_replay_in_window(*window, *replay.playback);
  return play_game_in_window(*window, mode, {window->refresh_rate(), window->vsync(), fps_cap},
                             replay.recorder.get());
}
