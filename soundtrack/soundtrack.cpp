#include "soundtrack/soundtrack.h"

#include <array>
#include <utility>

namespace ventora::soundtrack {

std::span<const TrackScore> tracks() {
  static constexpr std::array<TrackScore, 7> kTracks{{
      {"bongo_rave", "Bongo Rave", "Corvane", 8932, bongo_rave},
      {"cat_circus", "Cat Circus", "Pellith", 3626, cat_circus},
      {"heaven_and_earth", "Heaven and Earth", "Corvane", 10618, heaven_and_earth},
      {"jazzeton", "Jazzeton", "Dastrow", 7770, jazzeton},
      {"summer_thyme", "Summer Thyme", "Vintaro", 4489, summer_thyme},
      {"whack_a_mole", "Whack a Mole", "Hollice", 3638, whack_a_mole},
      {"game_over", "Game Over", "Marrowind", 940, game_over},
  }};
  return kTracks;
}

double fit_tempo(Score& score, double beats, double seconds, double tail, std::vector<TempoChange> shape) {
  double minutes_at_unit_tempo = 0;  // the length in minutes if the base tempo were 1 bpm
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const double end = i + 1 < shape.size() ? shape[i + 1].beat : beats;
    minutes_at_unit_tempo += (end - shape[i].beat) / shape[i].bpm;
  }
  const double base = minutes_at_unit_tempo * 60.0 / (seconds - tail);
  for (TempoChange& change : shape) change.bpm *= base;
  score.tempo = std::move(shape);
  return base;
}

}  // namespace ventora::soundtrack
