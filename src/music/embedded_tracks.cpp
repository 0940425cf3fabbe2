#include "music/embedded_tracks.h"

namespace ventora {

// Interim table until the rendered soundtrack is embedded: every track decodes to an error.
const std::array<EmbeddedTrack, 6>& music_tracks() {
  static const std::array<EmbeddedTrack, 6> tracks{{
      {"Bongo Rave - Corvane", {}, 233.326f},
      {"Cat Circus - Pellith", {}, 94.72f},
      {"Heaven and Earth - Corvane", {}, 277.368f},
      {"Jazzeton - Dastrow", {}, 202.971f},
      {"Summer Thyme - Vintaro", {}, 117.264f},
      {"Whack a Mole - Hollice", {}, 95.033f},
  }};
  return tracks;
}

const EmbeddedTrack& defeat_cue_track() {
  static const EmbeddedTrack cue{"Game Over - Marrowind", {}, 140.304f};
  return cue;
}

}  // namespace ventora
