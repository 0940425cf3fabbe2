// The frame loop as the explicit state machine of its suspension points: set up the music and warm
// the drawing up, let one frame pass, start the run, then run frames until Escape. The window is
// reached through `FrameHost`, so the loop's wiring can be driven without one. Each call of
// `step` is one frame and never waits: pacing and a paused game's rest are the caller's.
#pragma once

#include <memory>
#include <optional>

#include "shell/effect_cues.h"
#include "app/frame_step.h"
#include "shell/pad_controls.h"
#include "shell/pause.h"
#include "app/replay_recorder.h"
#include "base/frame_input.h"
#include "base/pad_input.h"
#include "base/shell_input.h"
#include "game/game_state.h"
#include "game/run_seed.h"
#include "layout/frame_geometry.h"
#include "layout/render_settings.h"
#include "music/music_player.h"
#include "random/rng.h"
#include "draw/draw_list.h"

namespace ventora {

// What the loop needs from the window and the process.
class FrameHost {
 public:
  virtual ~FrameHost() = default;
  // This frame's input; false when the window was closed through the window system.
  virtual bool poll(FrameInput& input) = 0;
  // The game controllers as of the last poll; none unless the host has some.
  virtual PadInput pad() { return {}; }
  // What the last poll saw that is the shell's: the pause key, the focus, a stale picture.
  virtual ShellInput shell() = 0;
  // Holds every playing sound where it is, or lets them play on.
  virtual void pause_sound(bool paused) = 0;
  // How long the previous frame took, in seconds.
  virtual double frame_seconds() = 0;
  virtual void request_size(WindowSize size) = 0;
  // Hands the frame's drawing to the screen and presents it. The host may draw its own notes into
  // `list` for the screen; it leaves the list as it was given.
  virtual void show(DrawList& list) = 0;
  // Sets the music up across frames without waiting: the first call starts it, each call hands
  // over what is ready; true once it is done, with `player` set (nullptr with music off) and its
  // first shuffle drawn from `rng`.
  virtual bool poll_music(std::unique_ptr<MusicPlayer>& player, Pcg32& rng) = 0;
  // Readies the next part of the drawing (its shader programs built and used once); true once all
  // of it is ready. One part a frame, so that none of them waits long.
  virtual bool warm_up() { return true; }
  // Where the running frames' sound effects go; none unless the host plays them.
  virtual EffectCues* effects() { return nullptr; }
  virtual ClockReading clock() = 0;
};

enum class LoopState { LoadingMusic, FirstFrame, Running, Ended };

class FrameLoop {
 public:
  // Every run plays in `mode`. With a recorder, the run and every frame go through it (--record).
  FrameLoop(FrameHost& host, OutputMode mode, ReplayRecorder* recorder = nullptr)
      : host_(host), mode_(mode), recorder_(recorder) {}

  // One frame: input, the run's update, its sound and drawing, shown. Continue after a shown
  // frame; Idle when a paused picture still on screen needs nothing (the host may rest until an
  // event); Quit once the program should end (nothing is shown then).
  StepResult step();

  LoopState loop_state() const { return loop_state_; }
  // The run, once the first frame has passed.
  GameState* state() { return state_ ? &*state_ : nullptr; }
  const GameState* state() const { return state_ ? &*state_ : nullptr; }
  bool paused() const { return paused_; }
  // The controller whose buttons the frame's hints name; none while the keyboard is in use.
  std::optional<PadLayout> controls() const { return controls_; }
  MusicPlayer* music() { return music_.get(); }
  // The process's one generator: the playlist and every run draw from it, a restart keeps it.
  Pcg32& rng() { return rng_; }

 private:
  FrameHost& host_;
  OutputMode mode_;
  ReplayRecorder* recorder_;
  LoopState loop_state_ = LoopState::LoadingMusic;
  Pcg32 rng_;
  bool music_ready_ = false;
  std::unique_ptr<MusicPlayer> music_;
  std::optional<GameState> state_;
  PadPointer pad_pointer_;
  std::optional<PadLayout> controls_;  // the pad whose buttons the hints name; none: the keyboard
  bool fight_shown_ = false;           // the first running frame has come: focus loss pauses now
  bool paused_ = false;
  double run_time_ = 0;                // the run's clock at the last frame that ran
  // The run's clock leaves out the pauses, so a recording plays straight through them.
  double paused_seconds_ = 0;          // all the pauses so far
  double paused_at_ = 0;               // the host's clock when this pause began
  // The last frame's length before the pause: the first step after it takes this, not the pause.
  std::optional<double> step_after_pause_;
  std::optional<PadLayout> paused_controls_;  // the controls the paused picture on screen names

  void end();
  // A frame of the Running state: the run's frame, or the pause's. False when nothing is to be
  // shown (a paused picture that is still on screen).
  bool running(FrameInput& input, const FrameGeometry& geometry, ShellInput shell,
               const PadInput& pad, DrawList& list, const ClockSource& clock);
  // One frame of the run itself (not the pause's): the pad, the step's length, play_frame.
  void play_run_frame(FrameInput& input, const FrameGeometry& geometry, const PadInput& pad,
                      DrawList& list, const ClockSource& clock);
  // The run as it stood, with the pause veil over it when `veiled`.
  void draw_still(FrameInput input, const FrameGeometry& geometry, DrawList& list,
                  bool veiled) const;
};

}  // namespace ventora
