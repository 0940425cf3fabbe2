// How each sound effect is made. Pitched effects keep to D, G and A, the notes that every piece of
// the soundtrack holds in its key (A minor, C, D minor, D major, F, G, G minor), so an effect
// never clashes with the music under it.
#pragma once

#include "src/music/sound_effect.h"
#include "soundtrack/effects/synth.h"

namespace ventora::effects {

Recipe recipe(SoundEffect effect);

}  // namespace ventora::effects
