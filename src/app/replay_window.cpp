#include "app/replay_window.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "app/audio_device.h"
#include "app/replay_playback.h"
#include "app/sound_shell.h"
#include "music/music_loading.h"

namespace ventora {

namespace {

using Clock = std::chrono::steady_clock;

// How long a paused or finished replay rests between two looks at the keys.
constexpr auto kIdleWait = std::chrono::milliseconds(10);

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

// Frames play when the recording played them: the clock the game saw, counted from the first.
class Pacer {
 public:
  explicit Pacer(double first_time) : first_time_(first_time), start_(Clock::now()) {}

  bool due(double recorded_time) const { return now_seconds() >= recorded_time - first_time_; }
  // Waits a little towards `recorded_time`, never long, so the keys stay answered.
  void wait_towards(double recorded_time) const {
    const double left = recorded_time - first_time_ - now_seconds();
    std::this_thread::sleep_for(std::chrono::duration<double>(std::clamp(left, 0.0, 0.01)));
  }
  void pause() { paused_at_ = Clock::now(); }
  void resume() { start_ += Clock::now() - paused_at_; }

 private:
  double now_seconds() const {
    return std::chrono::duration<double>(Clock::now() - start_).count();
  }
  double first_time_;
  Clock::time_point start_;
  Clock::time_point paused_at_;
};

// The line that tells how the replay ended.
void tell_end(const replay::ReplayReader& reader, std::uint64_t frames) {
  if (reader.ending() == replay::Ending::Damaged) {
    std::fprintf(stderr, "replay %s; Escape quits\n", reader.problem().c_str());
  } else {
    std::fprintf(stderr, "replay finished: %llu frames%s; Escape quits\n",
                 static_cast<unsigned long long>(frames),
                 reader.ending() == replay::Ending::EndRecord
                     ? ""
                     : " (the recording stopped early: no end record)");
  }
}

}  // namespace

int play_replay_in_window(Window& window, replay::ReplayReader& reader) {
  SoundShell sound(open_audio_device);
  ReplayPlayback playback(
      reader, [&](Pcg32& rng) { return audible_music(reader.header(), sound, rng); },
      sound.effects());
  const OutputMode mode = reader.header().mode;
  Pacer pacer(playback.done() ? 0.0 : playback.next_frame().input.time);
  // A damaged file plays up to the damage; quitting then exits with status 1.
  const auto status = [&] { return reader.ending() == replay::Ending::Damaged ? 1 : 0; };
  DrawList picture;
  bool paused = false;
  bool parting_told = false;
  bool end_told = false;
  while (true) {
    FrameInput keys;
    if (!window.poll(keys) || keys.is_pressed(Key::Escape)) return status();
    sound.press(window.sound_keys(), keys.time);
    sound.keep_device(keys.time);  // the music comes back with its next track
    if (keys.is_pressed(Key::Space)) {
      paused = !paused;
      paused ? pacer.pause() : pacer.resume();
    }
    if (paused || playback.done()) {
      std::this_thread::sleep_for(kIdleWait);
    } else {
      const double recorded_time = playback.next_frame().input.time;
      if (pacer.due(recorded_time)) {
        picture.clear();
        const FrameOutcome outcome = playback.step(picture);
        if (outcome.window_size) {
          window.request_size(static_cast<int>(outcome.window_size->width),
                              static_cast<int>(outcome.window_size->height));
        }
      } else {
        pacer.wait_towards(recorded_time);
      }
    }
    if (playback.parting() && !parting_told) {
      std::fprintf(stderr, "replay differs from the recording at frame %llu: %s\n",
                   static_cast<unsigned long long>(playback.parting()->frame),
                   playback.parting()->what.c_str());
      parting_told = true;
    }
    if (playback.done() && !end_told) {
      tell_end(reader, playback.frames_played());
      end_told = true;
    }
    if (const Status drawn = draw_frame(window, picture, sound, mode, keys.time); !drawn) {
      std::fprintf(stderr, "%s\n", drawn.error().message.c_str());
      return 1;
    }
    window.present();
  }
}

}  // namespace ventora
