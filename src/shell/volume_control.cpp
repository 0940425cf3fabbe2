#include "shell/volume_control.h"

#include <algorithm>

namespace ventora {

bool VolumeControl::press(std::span<const SoundKey> keys, double now) {
  if (keys.empty()) return false;
  for (const SoundKey key : keys) level_ = after_key(level_, key);
  changed_at_ = now;
  return true;
}

std::optional<VolumeNote> VolumeControl::note(double now) const {
  if (!changed_at_) return std::nullopt;
  const double left = kVolumeNoteSeconds - (now - *changed_at_);
  if (left <= 0) return std::nullopt;
  const auto opacity = static_cast<float>(std::min(1.0, left / kVolumeNoteFadeSeconds));
  return VolumeNote{level_.percent, level_.muted, opacity};
}

}  // namespace ventora
