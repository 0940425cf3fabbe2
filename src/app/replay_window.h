// `--replay FILE` in a window: a replay played back at its recorded pace, with the picture and
// the music the game made. The keyboard does only two things meanwhile: Escape quits and Space
// pauses. At the end the last picture stays until Escape.
#pragma once

#include <cstdint>
#include <optional>

#include "app/frame_loop.h"
#include "app/frame_step.h"
#include "app/replay_playback.h"
#include "draw/draw_list.h"
#include "replay/replay_reader.h"

namespace ventora {

// When the recorded frames are due on the player's clock: as far apart as they were recorded, but
// never further than a frame's step may last (kMaxFrameSeconds), so a jump in the recorded clock
// does not hold the replay up. A pause moves everything after it on by its length.
class ReplayPace {
 public:
  explicit ReplayPace(double start) : due_(start) {}
  // When the frame recorded at `recorded_time` is due, on the player's clock.
  double due(double recorded_time) const;
  // That frame was played; the next one is due from when it was.
  void played(double recorded_time);
  void pause(double now) { paused_at_ = now; }
  void resume(double now) { due_ += now - paused_at_; }

 private:
  double due_;                           // when the frame played last was due
  std::optional<double> last_recorded_;  // its recorded time; none before the first
  double paused_at_ = 0;
};

class ReplayWindow {
 public:
  // The frames come from `reader` and are shown through `host`, whose clock (its polls' time)
  // paces them; `make_music` makes the playback's music.
  ReplayWindow(FrameHost& host, replay::ReplayReader& reader,
               const ReplayPlayback::MusicMaker& make_music);

  // One step: the keys, then the next recorded frame if its time has come, and the picture shown.
  // Never waits: Idle, with the time left until the next frame is due (or a short rest when
  // paused or at the end), when no frame was played. Quit on Escape or when the window closes,
  // with the exit status `--check` gives the file once the replay has played to its end (before
  // that: 1 once it has parted from the recording, else 0). The first frame where the replay parts
  // from the recording is reported on stderr in `--check`'s words, and the replay plays on; damage
  // stops it where it is. At its end it says what `--check` says, and that Escape quits.
  StepResult step();

 private:
  int exit_status() const;
  // The lines that tell where the replay parted from the recording and how it ended, once each.
  void tell_news();

  FrameHost& host_;
  replay::ReplayReader& reader_;
  ReplayPlayback playback_;
  std::optional<ReplayPace> pace_;  // from the first step's clock
  DrawList picture_;
  bool paused_ = false;
  bool parting_told_ = false;
  bool end_told_ = false;
};

}  // namespace ventora
