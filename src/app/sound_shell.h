// The sound as the shell around the game keeps it: the one audio device that the music and the
// effects share, the effects themselves, and the mute and volume keys with the note that shows
// their level. The game's rules never see any of it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "app/audio_device.h"
#include "shell/effect_cues.h"
#include "base/sound_keys.h"
#include "music/audio_out.h"
#include "music/effect_player.h"
#include "music/music_player.h"
#include "random/rng.h"
#include "draw/draw_list.h"
#include "base/result.h"
#include "layout/output_mode.h"
#include "platform/window.h"
#include "shell/volume_control.h"

namespace ventora {

class SoundShell {
 public:
  using DeviceOpener = std::function<std::unique_ptr<DeviceAudioOut>()>;

  // `open_device` is called at most once, when the music or the effects first need the device;
  // when it gives nothing (it has said why) everything goes on silent.
  explicit SoundShell(DeviceOpener open_device);
  SoundShell(const SoundShell&) = delete;
  SoundShell& operator=(const SoundShell&) = delete;

  // The music's output: a stand-in for the device (nullptr when there is none).
  std::unique_ptr<AudioOut> music_output();
  // The effects' cues, set up on the first call; nullptr when VENTORA_DISABLE_SOUND is set (any
  // value, even empty), without a device, or when the effects do not load. Load problems are
  // one line each on stderr.
  EffectCues* effects();

  // Once a frame, at the frame's clock: when the device has gone away, opens it again (see
  // AudioDeviceKeeper). True on the frame it came back: nothing plays then, so the music has to
  // start again.
  bool keep_device(double now);
  // The mute and volume keys of a frame, at the frame's clock.
  void press(std::span<const SoundKey> keys, double now);
  // Holds every sound that plays (the game is paused), or lets them play on.
  void set_paused(bool paused);
  // The level note at `now`, if it shows.
  std::optional<VolumeNote> note(double now) const { return volume_.note(now); }

 private:
  AudioOut* device();

  DeviceOpener open_device_;
  bool device_tried_ = false;
  std::unique_ptr<DeviceAudioOut> device_;
  AudioDeviceKeeper keeper_;
  bool effects_tried_ = false;
  std::unique_ptr<EffectPlayer> player_;
  std::optional<EffectCues> cues_;
  VolumeControl volume_;
};

// One step of setting the music up through `sound`'s device, across frames: the first call opens
// the device (and the effects with it) and starts `set_up`; each call prints what it has to say.
// True once done, with `player` set (nullptr with music off) and its first shuffle drawn from `rng`.
bool poll_music_set_up(std::optional<MusicSetUp>& set_up, SoundShell& sound,
                       std::unique_ptr<MusicPlayer>& player, Pcg32& rng);

// Draws `list` onto the window with the level note of `sound` at `now` over it, a frame in output
// mode `mode`: the note goes into the list for this drawing and comes out again after it. What the
// window could not draw is in the status.
Status draw_frame(Window& window, DrawList& list, const SoundShell& sound, OutputMode mode,
                  double now);

}  // namespace ventora
