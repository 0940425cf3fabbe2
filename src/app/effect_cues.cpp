#include "app/effect_cues.h"

#include "app/sound_events.h"

namespace ventora {

void EffectCues::play(const GameEvents& events, std::optional<int> hovered, double time) {
  SoundEffects effects = sound_effects(events);
  if (card_hover_sounds(events, hovered_, hovered)) effects.set(index_of(SoundEffect::CardHover));
  player_.play(effects, time);
  hovered_ = hovered;
}

}  // namespace ventora
