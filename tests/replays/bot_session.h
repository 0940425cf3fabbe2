// A bot's game recorded exactly as `--record` records one: through ReplayRecorder and the
// game's own frame, with a silent music player when music is on. Used by the replay tests and
// by the tool that records the golden replays.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/replay_recorder.h"
#include "game/game_state.h"
#include "replay/replay_format.h"
#include "tests/support/run_bot.h"

namespace ventora::bot {

struct SessionSetup {
  OutputMode mode = OutputMode::Hd720;
  bool music = false;
  std::vector<float> track_seconds;  // the playlist's lengths when music is on
  // The readings the clock gives, one per run start in turn (the last one repeats).
  std::vector<ClockReading> clock_readings{{1765000000, 500}};
  float dt = 1.0f / 60.0f;
};

class RecordedSession {
 public:
  // Starts the process afresh (generator, output mode, music) and the first run, recording to
  // `path`.
  RecordedSession(const std::string& path, SessionSetup setup);

  GameState& state() { return *state_; }
  // One frame with `input`; its screen size and clock are filled in as the window would.
  void frame(FrameInput input);
  // An empty frame, `count` times.
  void idle(int count);
  // One frame that presses `key` (named `name`, as the window names keys).
  void press(Key key, const char* name);
  // The bot plays on from the current screen (see play_run), every frame recorded.
  RunRecord play(RunPlan plan);
  // Writes the end record.
  void finish() { recorder_->finish(); }

 private:
  ClockReading next_clock();

  SessionSetup setup_;
  std::size_t clock_index_ = 0;
  ClockSource clock_ = [this] { return next_clock(); };
  std::unique_ptr<ReplayRecorder> recorder_;
  Pcg32 rng_;  // the recorded process's generator, from state 0
  std::unique_ptr<MusicPlayer> music_;
  std::unique_ptr<GameState> state_;
  double time_ = 0;
};

}  // namespace ventora::bot
