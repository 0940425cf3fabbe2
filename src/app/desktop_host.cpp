#include "app/desktop_host.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/audio_device.h"
#include "app/drawing_warm_up.h"
#include "app/frame_loop.h"
#include "app/frame_pacer.h"
#include "app/quit_signals.h"
#include "app/replay_playback.h"
#include "app/replay_window.h"
#include "app/sound_shell.h"
#include "base/result.h"
#include "music/music_loading.h"
#include "music/music_player.h"

namespace ventora {

namespace {

// What the window cannot draw ends the game: its one line, and a failed exit.
[[noreturn]] void stop(const Error& error) {
  std::fprintf(stderr, "%s\n", error.message.c_str());
  std::exit(1);
}

// The real window and process behind the frame loop and the window replay.
class WindowHost final : public FrameHost {
 public:
  WindowHost(Window& window, OutputMode mode) : window_(window), mode_(mode) {}
  bool poll(FrameInput& input) override {
    // A signal to quit ends the session as the window's close button does.
    const bool open = window_.poll(input) && !take_quit_request();
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
  void pause_sound(bool paused) override { sound_.set_paused(paused); }
  double frame_seconds() override { return window_.frame_seconds(); }
  void request_size(WindowSize size) override {
    window_.request_size(static_cast<int>(size.width), static_cast<int>(size.height));
  }
  void show(DrawList& list) override {
    if (const Status drawn = draw_frame(window_, list, sound_, mode_, now_); !drawn) {
      stop(drawn.error());
    }
    window_.present();
  }
  bool poll_music(std::unique_ptr<MusicPlayer>& player, Pcg32& rng) override {
    return poll_music_set_up(music_, sound_, player, rng);
  }
  bool warm_up() override {
    Result<bool> warmed = warm_up_.step(window_);
    if (!warmed) stop(warmed.error());
    return warmed.value();
  }
  EffectCues* effects() override { return sound_.effects(); }
  ClockReading clock() override { return read_system_clock(); }
  SoundShell& sound() { return sound_; }

 private:
  Window& window_;
  OutputMode mode_;
  SoundShell sound_{open_audio_device};
  double now_ = 0;  // the clock of the last poll
  bool device_back_ = false;
  std::optional<MusicSetUp> music_;  // after the device it plays through
  DrawingWarmUp warm_up_{mode_};
};

// Between the steps: the pacer's wait after a shown frame, where it paces; the window's wait for
// events at rest.
class WindowWaits final : public StepWaits {
 public:
  WindowWaits(Window& window, std::optional<FramePacing> pacing) : window_(window) {
    if (pacing) pacer_.emplace(*pacing);
  }
  void after_shown() override {
    if (pacer_) pacer_->wait_after_present();
  }
  void rest(double seconds) override { window_.wait_for_events(seconds); }

 private:
  Window& window_;
  std::optional<FramePacer> pacer_;
};

// The recorded music, audible. The playlist must draw as it did when recorded, so when the sound
// cannot be set up the same way (no audio device, a track that did not load) it plays silently.
std::unique_ptr<MusicPlayer> audible_music(const replay::Header& header, SoundShell& sound,
                                           Pcg32& rng) {
  if (!header.music) return nullptr;
  std::unique_ptr<AudioOut> audio = sound.music_output();
  if (audio) {
    LoadedMusic music = load_music(music_tracks(), defeat_cue_track(), *audio);
    for (const Error& failure : music.failures) std::fprintf(stderr, "%s\n", failure.message.c_str());
    if (music.track_seconds == header.track_seconds) {
      return make_music_player(std::move(audio), std::move(music), rng);
    }
    std::fputs("replay: this game's tracks differ from the recording's; playing without music\n",
               stderr);
  }
  return silent_music(header, rng);
}

}  // namespace

int run_steps(const std::function<StepResult()>& step, StepWaits& waits) {
  while (true) {
    const StepResult result = step();
    switch (result.next) {
      case StepResult::Next::Continue: waits.after_shown(); break;
      case StepResult::Next::Idle: waits.rest(result.idle_seconds); break;
      case StepResult::Next::Quit: return result.exit_status;
    }
  }
}

int play_game_in_window(Window& window, OutputMode mode, const FramePacing& pacing,
                        ReplayRecorder* recorder) {
  WindowHost host(window, mode);
  WindowWaits waits(window, pacing);
  FrameLoop loop(host, mode, recorder);
  const int status = run_steps(
      [&] {
        const StepResult result = loop.step();
        if (host.take_device_back()) resume_after_device_loss(loop.music());
        return result;
      },
      waits);
  if (recorder) recorder->finish();
  return status;
}

int play_replay_in_window(Window& window, replay::ReplayReader& reader) {
  WindowHost host(window, reader.header().mode);
  // A replay keeps its recorded pace on its own: nothing waits after its frames.
  WindowWaits waits(window, std::nullopt);
  ReplayWindow replay(host, reader,
                      [&](Pcg32& rng) { return audible_music(reader.header(), host.sound(), rng); });
  return run_steps([&] { return replay.step(); }, waits);
}

}  // namespace ventora
