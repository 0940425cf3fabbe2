#include "app/sound_shell.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "draw/canvas.h"
#include "layout/frame_geometry.h"
#include "view/volume_note.h"
#include "music/borrowed_audio_out.h"
#include "music/effects_bank.h"

namespace ventora {

SoundShell::SoundShell(DeviceOpener open_device) : open_device_(std::move(open_device)) {}

AudioOut* SoundShell::device() {
  if (!device_tried_) {
    device_tried_ = true;
    device_ = open_device_();
    if (device_) device_->set_master_volume(volume_.gain());
  }
  return device_.get();
}

std::unique_ptr<AudioOut> SoundShell::music_output() {
  AudioOut* out = device();
  return out ? borrow_audio_out(*out) : nullptr;
}

EffectCues* SoundShell::effects() {
  if (!effects_tried_) {
    effects_tried_ = true;
    AudioOut* out = std::getenv("VENTORA_DISABLE_SOUND") ? nullptr : device();
    if (out) {
      EffectsLoad load = load_effects(*out, embedded_effects_bank());
      for (const Error& error : load.errors) std::fprintf(stderr, "%s\n", error.message.c_str());
      player_ = std::move(load.player);
      if (player_) cues_.emplace(*player_);
    }
  }
  return cues_ ? &*cues_ : nullptr;
}

bool SoundShell::keep_device(double now) { return device_ && keeper_.keep(*device_, now); }

void SoundShell::press(std::span<const SoundKey> keys, double now) {
  if (volume_.press(keys, now) && device_) device_->set_master_volume(volume_.gain());
}

void SoundShell::set_paused(bool paused) {
  if (device_) device_->set_paused(paused);
}

bool poll_music_set_up(std::optional<MusicSetUp>& set_up, SoundShell& sound,
                       std::unique_ptr<MusicPlayer>& player, Pcg32& rng) {
  if (!set_up) {
    sound.effects();  // the device opens now, not in the middle of the first fight frame
    set_up.emplace([&sound] { return sound.music_output(); });
  }
  const bool done = set_up->poll();
  for (const std::string& line : set_up->take_messages()) std::fprintf(stderr, "%s\n", line.c_str());
  if (!done) return false;
  player = set_up->take_player(rng);
  set_up.reset();
  return true;
}

Status draw_frame(Window& window, DrawList& list, const SoundShell& sound, OutputMode mode,
                  double now) {
  const std::optional<VolumeNote> note = sound.note(now);
  if (!note) return window.draw(list);
  const std::size_t frame_commands = list.commands.size();
  const auto width = static_cast<float>(window.width());
  const auto height = static_cast<float>(window.height());
  Canvas canvas(list, width, height);
  draw_volume_note(canvas, frame_geometry(mode, width, height).hud, *note);
  const Status drawn = window.draw(list);
  list.commands.resize(frame_commands);
  return drawn;
}

}  // namespace ventora
