// The pieces of the soundtrack as the renderer sees them: the rows of tracks.def with their scores.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "soundtrack/score.h"

namespace ventora::soundtrack {

struct TrackScore {
  std::string_view slug;  // file name of the rendered MP3
  std::string_view title;
  std::string_view artist;
  std::size_t frames;                // MPEG audio frames: playing time = frames x 1152 / 44100
  Score (*compose)(double seconds);  // the score, fitted to the given playing time
};

// Every row of tracks.def, in its order.
std::span<const TrackScore> tracks();

// One score per row, named after its slug.
#define VENTORA_TRACK(slug, title, artist, role, frames) Score slug(double seconds);
#include "soundtrack/tracks.def"
#undef VENTORA_TRACK

// Sets the score's tempo map so that `beats` beats end `tail` seconds before `seconds`. `shape` gives
// relative tempos from given beats on (1 = the piece's base tempo), e.g. {{0, 1}, {120, 0.8}} for a
// closing ritardando; the base tempo is solved for. Returns the base tempo.
double fit_tempo(Score& score, double beats, double seconds, double tail, std::vector<TempoChange> shape);

}  // namespace ventora::soundtrack
