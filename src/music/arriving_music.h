// Music for a game that starts before its tracks are there (the page fetches them after its first
// frame). The playlist is drawn at once from the tracks' stored lengths and plays in silence, so
// it draws from the generator exactly when it would with the tracks; once the tracks are loaded
// they take the silent ones' places, and the one that is due starts then.
#pragma once

#include <memory>
#include <span>

#include "music/audio_out.h"
#include "music/music_player.h"
#include "random/rng.h"

namespace ventora {

// A sound output that plays nothing (it hands out sound ids and forgets the sounds).
std::unique_ptr<AudioOut> silent_audio_out();

// A silent player over tracks of these stored lengths, its first shuffle drawn from `rng`.
std::unique_ptr<MusicPlayer> silent_music_player(std::span<const float> track_seconds, Pcg32& rng);

// Moves the tracks, the cue and the output of `arrived` into `live`, which plays the same playlist
// in silence: the order, its position and the time to the next track stay as they are. The track
// that is due plays at once from its start, and stops when the next one starts, so that the two
// never overlap. False, with `live` unchanged, unless `arrived` has every track of `live`'s
// playlist, of the same lengths.
bool join_music(MusicPlayer& live, MusicPlayer&& arrived);

}  // namespace ventora
