// What the desktop's window and the page's canvas share as the frame loop's host: the window's
// input, controllers and frames, the sound keys and their level note, the drawing's warm-up and the
// music set up through the sound's device. How a session ends, what else counts as the pause key or
// a lost focus, and how the music's files arrive are each host's own.
#pragma once

#include <memory>
#include <optional>

#include "app/audio_device.h"
#include "app/drawing_warm_up.h"
#include "app/frame_loop.h"
#include "app/sound_shell.h"
#include "base/result.h"
#include "layout/output_mode.h"
#include "music/music_loading.h"
#include "platform/window.h"

namespace ventora {

class WindowHost : public FrameHost {
 public:
  WindowHost(Window& window, OutputMode mode);

  PadInput pad() override { return window_.pad(); }
  // The window's pause key, focus and stale picture; a fading level note wants its frames too,
  // paused or not.
  ShellInput shell() override;
  void pause_sound(bool paused) override { sound_.set_paused(paused); }
  double frame_seconds() override { return window_.frame_seconds(); }
  void request_size(WindowSize size) override;
  void show(DrawList& list) override;
  bool poll_music(std::unique_ptr<MusicPlayer>& player, Pcg32& rng) override;
  bool warm_up() override;
  EffectCues* effects() override { return sound_.effects(); }
  ClockReading clock() override { return read_system_clock(); }
  SoundShell& sound() { return sound_; }

 protected:
  // The window's input for this frame, with the sound keys handled; false once it was closed.
  bool poll_window(FrameInput& input);
  // What the window cannot draw ends the session: the host says so and stops.
  virtual void fail(const Error& error) = 0;
  Window& window() { return window_; }
  double now() const { return now_; }

 private:
  Window& window_;
  OutputMode mode_;
  SoundShell sound_{open_audio_device};
  double now_ = 0;  // the clock of the last poll
  std::optional<MusicSetUp> music_;  // after the device it plays through
  DrawingWarmUp warm_up_{mode_};
};

}  // namespace ventora
