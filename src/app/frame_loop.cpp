#include "app/frame_loop.h"

#include <algorithm>

namespace ventora {

float frame_dt(double seconds) {
  return std::min(static_cast<float>(seconds), kMaxFrameSeconds);
}

DefeatCueChange defeat_cue_change(Screen previous, Screen current) {
  if (previous != Screen::Defeat && current == Screen::Defeat) return DefeatCueChange::Start;
  if (previous == Screen::Defeat && current == Screen::Fight) return DefeatCueChange::Release;
  return DefeatCueChange::None;
}

}  // namespace ventora
