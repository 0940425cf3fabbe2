// The desktop's host: it drives the game's or a replay's steps in the window and does, between
// them, the waiting the steps leave to it: the pacer's wait after a shown frame, and a rest until
// the next event while nothing is due (a paused game, a replay between two recorded frames).
#pragma once

#include <functional>

#include "app/frame_step.h"
#include "app/frame_timing.h"
#include "app/replay_recorder.h"
#include "layout/output_mode.h"
#include "platform/window.h"
#include "replay/replay_reader.h"

namespace ventora {

// What the host does between two steps: the window's on the desktop, a fake's in the tests.
class StepWaits {
 public:
  virtual ~StepWaits() = default;
  // After a step that showed a frame.
  virtual void after_shown() = 0;
  // After an idle step: until an event arrives or `seconds` have passed.
  virtual void rest(double seconds) = 0;
};

// Calls `step` until it quits, waiting between two calls as the first one's result asks; the exit
// status of the step that quit.
int run_steps(const std::function<StepResult()>& step, StepWaits& waits);

// The game in `window`, every run in `mode`, each shown frame paced by `pacing`; with a recorder
// (--record) the session goes to its file, ended with the end record. Until Escape or the window
// closes; the exit status.
int play_game_in_window(Window& window, OutputMode mode, const FramePacing& pacing,
                        ReplayRecorder* recorder);

// `--replay FILE`: the replay `reader` reads, played in `window` at its recorded pace with the
// picture and the music the game made (see ReplayWindow); the exit status.
int play_replay_in_window(Window& window, replay::ReplayReader& reader);

}  // namespace ventora
