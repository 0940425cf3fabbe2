// Start-up: read the command line, open the window, and drive the frame loop from it.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/audio_device.h"
#include "app/command_line.h"
#include "app/drawing_warm_up.h"
#include "app/frame_pacer.h"
#include "app/frame_loop.h"
#include "app/replay_options.h"
#include "app/replay_window.h"
#include "app/sound_shell.h"
#include "app/window_config.h"
#include "base/result.h"
#include "draw/font.h"
#include "layout/render_settings.h"
#include "music/music_player.h"
#include "platform/window.h"

namespace ventora {
namespace {

// What the window cannot draw ends the game: its one line, and a failed exit.
[[noreturn]] void stop(const Error& error) {
  std::fprintf(stderr, "%s\n", error.message.c_str());
  std::exit(1);
}

// The real window and process behind the frame loop.
class WindowHost final : public FrameHost {
 public:
  WindowHost(Window& window, OutputMode mode, const FramePacing& pacing)
      : window_(window), mode_(mode), pacer_(pacing) {}
  bool poll(FrameInput& input) override {
    const bool open = window_.poll(input);
    now_ = input.time;
    sound_.press(window_.sound_keys(), now_);
    device_back_ = sound_.keep_device(now_) || device_back_;
    return open;
  }
  // True once after the audio device came back from going away.
  bool take_device_back() { return std::exchange(device_back_, false); }
  PadInput pad() override { return window_.pad(); }
  ShellInput shell() override {
    ShellInput shell = window_.shell();
    // The level note fades over the frames after a sound key, paused or not.
    shell.redraw = shell.redraw || sound_.note(now_).has_value();
    return shell;
  }
  void wait_for_events(double seconds) override { window_.wait_for_events(seconds); }
  void pause_sound(bool paused) override { sound_.set_paused(paused); }
  double frame_seconds() override { return window_.frame_seconds(); }
  void request_size(WindowSize size) override {
    window_.request_size(static_cast<int>(size.width), static_cast<int>(size.height));
  }
  void show(const DrawList& list) override {
    if (const Status drawn = draw_frame(window_, list, sound_, mode_, now_); !drawn) {
      stop(drawn.error());
    }
    window_.present();
    pacer_.wait_after_present();
  }
  bool poll_music(std::unique_ptr<MusicPlayer>& player, Pcg32& rng) override {
    if (!music_) {
      sound_.effects();  // the device opens now, not in the middle of the first fight frame
      music_.emplace([this] { return sound_.music_output(); });
    }
    const bool done = music_->poll();
    for (const std::string& line : music_->take_messages()) std::fprintf(stderr, "%s\n", line.c_str());
    if (!done) return false;
    player = music_->take_player(rng);
    music_.reset();
    return true;
  }
  bool warm_up() override {
    Result<bool> warmed = warm_up_.step(window_);
    if (!warmed) stop(warmed.error());
    return warmed.value();
  }
  EffectCues* effects() override { return sound_.effects(); }
  ClockReading clock() override { return read_system_clock(); }

 private:
  Window& window_;
  OutputMode mode_;
  FramePacer pacer_;
  SoundShell sound_{open_audio_device};
  double now_ = 0;  // the clock of the last poll
  bool device_back_ = false;
  std::optional<MusicSetUp> music_;  // after the device it plays through
  DrawingWarmUp warm_up_{mode_};
};

}  // namespace
}  // namespace ventora

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
  Result<std::unique_ptr<Window>> opened = Window::open(config);
  if (!opened) {
    std::fprintf(stderr, "%s\n", opened.error().message.c_str());
    return 1;
  }
  const std::unique_ptr<Window> window = std::move(opened.value());
  if (replay.playback) return play_replay_in_window(*window, *replay.playback);
  WindowHost host(*window, mode, {window->refresh_rate(), window->vsync(), fps_cap});
  FrameLoop loop(host, mode, replay.recorder.get());
  while (loop.frame()) {
    if (host.take_device_back()) resume_after_device_loss(loop.music());
  }
  if (replay.recorder) replay.recorder->finish();
  return 0;
}
