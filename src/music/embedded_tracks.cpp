#include "music/embedded_tracks.h"

// The rendered MP3 files, linked in by the build (.incbin).
#define VENTORA_TRACK_BYTES(slug)                        \
  extern "C" const unsigned char ventora_music_##slug[]; \
  extern "C" const unsigned char ventora_music_##slug##_end[];
VENTORA_TRACK_BYTES(bongo_rave)
VENTORA_TRACK_BYTES(cat_circus)
VENTORA_TRACK_BYTES(heaven_and_earth)
VENTORA_TRACK_BYTES(jazzeton)
VENTORA_TRACK_BYTES(summer_thyme)
VENTORA_TRACK_BYTES(whack_a_mole)
VENTORA_TRACK_BYTES(game_over)
#undef VENTORA_TRACK_BYTES

namespace ventora {

namespace {

std::span<const std::uint8_t> bytes(const unsigned char* begin, const unsigned char* end) {
  return {begin, static_cast<std::size_t>(end - begin)};
}

}  // namespace

const std::array<EmbeddedTrack, 6>& music_tracks() {
  static const std::array<EmbeddedTrack, 6> tracks{{
      {"Bongo Rave - Corvane", bytes(ventora_music_bongo_rave, ventora_music_bongo_rave_end), 233.326f},
      {"Cat Circus - Pellith", bytes(ventora_music_cat_circus, ventora_music_cat_circus_end), 94.72f},
      {"Heaven and Earth - Corvane",
       bytes(ventora_music_heaven_and_earth, ventora_music_heaven_and_earth_end), 277.368f},
      {"Jazzeton - Dastrow", bytes(ventora_music_jazzeton, ventora_music_jazzeton_end), 202.971f},
      {"Summer Thyme - Vintaro", bytes(ventora_music_summer_thyme, ventora_music_summer_thyme_end), 117.264f},
      {"Whack a Mole - Hollice", bytes(ventora_music_whack_a_mole, ventora_music_whack_a_mole_end), 95.033f},
  }};
  return tracks;
}

const EmbeddedTrack& defeat_cue_track() {
  static const EmbeddedTrack cue{"Game Over - Marrowind",
                                 bytes(ventora_music_game_over, ventora_music_game_over_end), 24.555f};
  return cue;
}

}  // namespace ventora
