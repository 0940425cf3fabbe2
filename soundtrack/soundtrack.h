// The seven pieces of the soundtrack: their names, their exact lengths in MP3 frames and their scores.
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

std::span<const TrackScore> tracks();

Score bongo_rave(double seconds);
Score cat_circus(double seconds);
Score heaven_and_earth(double seconds);
Score jazzeton(double seconds);
Score summer_thyme(double seconds);
Score whack_a_mole(double seconds);
Score game_over(double seconds);

// Sets the score's tempo map so that `beats` beats end `tail` seconds before `seconds`. `shape` gives
// relative tempos from given beats on (1 = the piece's base tempo), e.g. {{0, 1}, {120, 0.8}} for a
// closing ritardando; the base tempo is solved for. Returns the base tempo.
double fit_tempo(Score& score, double beats, double seconds, double tail, std::vector<TempoChange> shape);

}  // namespace ventora::soundtrack
