#include "app/desktop_host.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/frame_loop.h"
#include "app/frame_pacer.h"
#include "app/quit_signals.h"
#include "app/replay_playback.h"
#include "app/replay_window.h"
#include "app/sound_shell.h"
#include "app/window_host.h"
#include "base/result.h"
#include "music/music_loading.h"
#include "music/music_player.h"

namespace ventora {

namespace {

// The real window and process behind the frame loop and the window replay.
class DesktopWindowHost final : public WindowHost {
 public:
  using WindowHost::WindowHost;
  bool poll(FrameInput& input) override {
    // A signal to quit ends the session as the window's close button does.
    const bool open = poll_window(input) && !take_quit_request();
    device_back_ = sound().keep_device(now()) || device_back_;
    return open;
  }
  // True once after the audio device came back from going away.
  bool take_device_back() { return std::exchange(device_back_, false); }

 private:
  // What the window cannot draw ends the game: its one line, and a failed exit.
  [[noreturn]] void fail(const Error& error) override {
    std::fprintf(stderr, "%s\n", error.message.c_str());
    std::exit(1);
  }

  bool device_back_ = false;
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
  DesktopWindowHost host(window, mode);
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
  DesktopWindowHost host(window, reader.header().mode);
  // A replay keeps its recorded pace on its own: nothing waits after its frames.
  WindowWaits waits(window, std::nullopt);
  ReplayWindow replay(host, reader,
                      [&](Pcg32& rng) { return audible_music(reader.header(), host.sound(), rng); });
  return run_steps([&] { return replay.step(); }, waits);
}

}  // namespace ventora
