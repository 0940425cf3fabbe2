#include "soundtrack/soundtrack.h"

#include <utility>

namespace ventora::soundtrack {

std::span<const TrackScore> tracks() {
  static constexpr TrackScore kTracks[] = {
#define VENTORA_TRACK(slug, title, artist, role, frames) {#slug, title, artist, frames, slug},
#include "soundtrack/tracks.def"
#undef VENTORA_TRACK
  };
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
