#include "music/master_volume.h"

#include <algorithm>

namespace ventora {

MasterVolume after_key(MasterVolume level, SoundKey key) {
  switch (key) {
    case SoundKey::Mute: level.muted = !level.muted; break;
    case SoundKey::Louder:
    case SoundKey::Quieter: {
      const int step = key == SoundKey::Louder ? MasterVolume::kStep : -MasterVolume::kStep;
      level.percent = std::clamp(level.percent + step, 0, 100);
      level.muted = false;
      break;
    }
  }
  return level;
}

float master_gain(const MasterVolume& level) {
  if (level.muted) return 0.0f;
  const float fraction = static_cast<float>(level.percent) / 100.0f;
  return fraction * fraction;
}

}  // namespace ventora
