#include "app/sound_shell.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "layout/frame_layout.h"
#include "layout/hud_scale.h"
#include "layout/render_settings.h"
#include "music/borrowed_audio_out.h"
#include "music/effects_bank.h"

namespace ventora {

SoundShell::SoundShell(DeviceOpener open_device) : open_device_(std::move(open_device)) {}

AudioOut* SoundShell::device() {
  if (!device_tried_) {
    device_tried_ = true;
    device_ = open_device_();
    if (device_) device_->set_master_volume(master_gain(level_));
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
  if (keys.empty()) return;
  for (const SoundKey key : keys) level_ = after_key(level_, key);
  changed_at_ = now;
  if (device_) device_->set_master_volume(master_gain(level_));
}

void SoundShell::set_paused(bool paused) {
  if (device_) device_->set_paused(paused);
}

std::optional<VolumeNote> SoundShell::note(double now) const {
  if (!changed_at_) return std::nullopt;
  const double left = kVolumeNoteSeconds - (now - *changed_at_);
  if (left <= 0) return std::nullopt;
  const auto opacity = static_cast<float>(std::min(1.0, left / kVolumeNoteFadeSeconds));
  return VolumeNote{level_.percent, level_.muted, opacity};
}

void SoundShell::draw_note(DrawList& list, OutputMode mode, float width, float height, double now) const {
  const std::optional<VolumeNote> shown = note(now);
  if (!shown) return;
  const auto layout = frame_layout_for(render_settings_for(mode), width, height);
  Canvas canvas(list, width, height);
  draw_volume_note(canvas, hud_scale(layout, width, height), *shown);
}

Status draw_frame(Window& window, const DrawList& list, const SoundShell& sound, OutputMode mode,
                  double now) {
  if (!sound.note(now)) return window.draw(list);
  DrawList with_note = list;
  sound.draw_note(with_note, mode, static_cast<float>(window.width()),
                  static_cast<float>(window.height()), now);
  return window.draw(with_note);
}

}  // namespace ventora
