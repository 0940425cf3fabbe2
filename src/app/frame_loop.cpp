#include "app/frame_loop.h"

#include "app/frame_timing.h"
#include "app/running_frame.h"
#include "draw/canvas.h"
#include "game/run.h"
#include "view/pause_overlay.h"
#include "view/scene.h"

namespace ventora {

namespace {

// How long a paused game may rest when nothing happens: its host wakes it at once for any event.
constexpr double kPausedRestSeconds = 0.25;

}  // namespace

void FrameLoop::run(FrameInput& input, const FrameGeometry& geometry, const PadInput& pad,
                    DrawList& list, const ClockSource& clock) {
  input.time -= paused_seconds_;
  apply_pad(pad, state_->screen, geometry.hud, pad_pointer_, input);
  const float dt = frame_dt(step_after_pause_.value_or(host_.frame_seconds()));
  step_after_pause_.reset();
  EffectCues* effects = host_.effects();
  const FrameOutcome outcome =
      recorder_
          ? recorder_->run_frame(*state_, rng_, music_.get(), input, geometry, dt, list, clock,
                                 effects)
          : run_frame(*state_, rng_, music_.get(), input, geometry, dt, list, clock, effects);
  if (outcome.quit) {
    end();
    return;
  }
  run_time_ = input.time;
  if (outcome.window_size) host_.request_size(*outcome.window_size);
}

void FrameLoop::draw_still(FrameInput input, const FrameGeometry& geometry, DrawList& list,
                           bool veiled) const {
  Canvas canvas(list, input.screen_width, input.screen_height);
  // The picture stands still: its animations keep the time the run stopped at.
  canvas.set_time(run_time_);
  canvas.set_mouse(input.mouse);
  draw_scene(*state_, canvas, geometry, input.pad_in_use);
  if (veiled) draw_pause_overlay(canvas, geometry.hud, input.pad_in_use);
}

void FrameLoop::end() {
  state_.reset();
  music_.reset();
  loop_state_ = LoopState::Ended;
}

bool FrameLoop::running(FrameInput& input, const FrameGeometry& geometry, ShellInput shell,
                        const PadInput& pad, DrawList& list, const ClockSource& clock) {
  // Until the fight's first picture is up, focus comes and goes as window managers place a new
  // window: that is not the player looking away.
  shell.focus_lost = shell.focus_lost && fight_shown_;
  fight_shown_ = true;
  switch (pause_step(paused_, state_->screen, shell, pad, input)) {
    case PauseStep::Run: run(input, geometry, pad, list, clock); break;
    case PauseStep::Pause:
      paused_ = true;
      paused_at_ = input.time;
      if (!step_after_pause_) step_after_pause_ = host_.frame_seconds();
      host_.pause_sound(true);
      paused_controls_ = input.pad_in_use;
      draw_still(input, geometry, list, true);
      break;
    case PauseStep::Stay:
      // The picture on screen is kept until it goes stale or its hints change.
      if (!shell.redraw && paused_controls_ == input.pad_in_use) return false;
      paused_controls_ = input.pad_in_use;
      draw_still(input, geometry, list, true);
      break;
    case PauseStep::Resume:
      // The frame that resumes moves nothing yet, so the resuming click reaches no button.
      paused_ = false;
      paused_seconds_ += input.time - paused_at_;
      host_.pause_sound(false);
      draw_still(input, geometry, list, false);
      break;
    case PauseStep::Quit: end(); break;
  }
  return true;
}

StepResult FrameLoop::step() {
  FrameInput input;
  if (!host_.poll(input)) return StepResult::quit();
  const ShellInput shell = host_.shell();
  const PadInput pad = host_.pad();
  controls_ = controls_in_use(controls_, shell, pad);
  input.pad_in_use = controls_;
  DrawList list;
  // The frame is laid out once, for everything that needs its geometry.
  const FrameGeometry geometry = frame_geometry(mode_, input);
  // Every clock reading of a run, the first and a restart's, comes from the host.
  const ClockSource clock = [this] { return host_.clock(); };
  switch (loop_state_) {
    case LoopState::LoadingMusic:
      // The window is up while the soundtrack decodes, so Escape already quits here.
      if (input.is_pressed(Key::Escape)) return StepResult::quit();
      break;
    case LoopState::FirstFrame:
      // This frame draws nothing of the game: the run starts at its end.
      state_ = recorder_ ? recorder_->start_run(music_.get(), rng_, clock, mode_)
                         : start_run(rng_, clock(), mode_);
      run_time_ = input.time;
      loop_state_ = LoopState::Running;
      break;
    case LoopState::Running:
      if (!running(input, geometry, shell, pad, list, clock)) return StepResult::idle(kPausedRestSeconds);
      break;
    case LoopState::Ended: break;
  }
  if (loop_state_ == LoopState::Ended) return StepResult::quit();
  host_.show(list);
  // The music is set up and the drawing warmed up after the frame is shown, so that neither holds
  // the first frame up; the run starts on the frame after the one that finds both done.
  if (loop_state_ == LoopState::LoadingMusic) {
    music_ready_ = music_ready_ || host_.poll_music(music_, rng_);
    if (host_.warm_up() && music_ready_) loop_state_ = LoopState::FirstFrame;
  }
  return StepResult::shown();
}

}  // namespace ventora
