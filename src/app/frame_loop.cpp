#include "app/frame_loop.h"

#include "app/frame_timing.h"
#include "app/running_frame.h"
#include "game/run.h"

namespace ventora {

bool FrameLoop::frame() {
  FrameInput input;
  if (!host_.poll(input)) return false;
  DrawList list;
  // Every clock reading of a run, the first and a restart's, comes from the host.
  const ClockSource clock = [this] { return host_.clock(); };
  switch (loop_state_) {
    case LoopState::LoadingMusic:
      // The window is up while the soundtrack decodes, so Escape already quits here.
      if (input.is_pressed(Key::Escape)) return false;
      break;
    case LoopState::FirstFrame:
      // This frame draws nothing of the game: the run starts at its end.
      state_ = recorder_ ? recorder_->start_run(music_.get(), clock, mode_)
                         : start_run(clock(), mode_);
      loop_state_ = LoopState::Running;
      break;
    case LoopState::Running: {
      apply_pad(host_.pad(), *state_, pad_pointer_, input);
      const float dt = frame_dt(host_.frame_seconds());
      EffectCues* effects = host_.effects();
      const FrameOutcome outcome =
          recorder_ ? recorder_->run_frame(*state_, music_.get(), input, dt, list, clock, effects)
                    : run_frame(*state_, music_.get(), input, dt, list, clock, effects);
      if (outcome.quit) {
        state_.reset();
        music_.reset();
        loop_state_ = LoopState::Ended;
      } else if (outcome.window_size) {
        host_.request_size(*outcome.window_size);
      }
      break;
    }
    case LoopState::Ended: break;
  }
  if (loop_state_ == LoopState::Ended) return false;
  host_.show(list);
  // The music is set up and the drawing warmed up after the frame is shown, so that neither holds
  // the first frame up; the run starts on the frame after the one that finds both done.
  if (loop_state_ == LoopState::LoadingMusic) {
    music_ready_ = music_ready_ || host_.poll_music(music_);
    if (host_.warm_up() && music_ready_) loop_state_ = LoopState::FirstFrame;
  }
  return true;
}

}  // namespace ventora
