#include "music/embedded_tracks.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

// The build writes one VENTORA_EMBEDDED_TRACK(slug, title, artist, role, seconds) row per track, and
// links each rendered file in (.incbin) between the symbols ventora_music_<slug> and ..._end.
#define VENTORA_EMBEDDED_TRACK(slug, title, artist, role, seconds) \
  extern "C" const unsigned char ventora_music_##slug[];          \
  extern "C" const unsigned char ventora_music_##slug##_end[];
#include "embedded_track_rows.inc"
#undef VENTORA_EMBEDDED_TRACK

namespace ventora {

namespace {

enum class TrackRole { Playlist, DefeatCue };

constexpr TrackRole kRoles[] = {
#define VENTORA_EMBEDDED_TRACK(slug, title, artist, role, seconds) TrackRole::role,
#include "embedded_track_rows.inc"
#undef VENTORA_EMBEDDED_TRACK
};
static_assert(std::count(std::begin(kRoles), std::end(kRoles), TrackRole::DefeatCue) == 1,
              "the soundtrack has one defeat cue");

struct TrackRow {
  TrackRole role;
  EmbeddedTrack track;
};

std::span<const std::uint8_t> bytes(const unsigned char* begin, const unsigned char* end) {
  return {begin, static_cast<std::size_t>(end - begin)};
}

const std::vector<TrackRow>& rows() {
  static const std::vector<TrackRow> all{
#define VENTORA_EMBEDDED_TRACK(slug, title, artist, role, seconds) \
  {TrackRole::role, {title " - " artist, bytes(ventora_music_##slug, ventora_music_##slug##_end), seconds}},
#include "embedded_track_rows.inc"
#undef VENTORA_EMBEDDED_TRACK
  };
  return all;
}

}  // namespace

std::span<const EmbeddedTrack> music_tracks() {
  static const std::vector<EmbeddedTrack> playlist = [] {
    std::vector<EmbeddedTrack> tracks;
    for (const TrackRow& row : rows()) {
      if (row.role == TrackRole::Playlist) tracks.push_back(row.track);
    }
    return tracks;
  }();
  return playlist;
}

const EmbeddedTrack& defeat_cue_track() {
  const auto is_cue = [](const TrackRow& row) { return row.role == TrackRole::DefeatCue; };
  return std::find_if(rows().begin(), rows().end(), is_cue)->track;
}

void release_embedded_pages(std::span<const std::uint8_t> bytes) {
  const auto within = [&](const TrackRow& row) {
    const std::span<const std::uint8_t> track = row.track.mp3_bytes;
    return bytes.data() >= track.data() && bytes.data() + bytes.size() <= track.data() + track.size();
  };
  if (bytes.empty() || std::none_of(rows().begin(), rows().end(), within)) return;
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto begin = (reinterpret_cast<std::uintptr_t>(bytes.data()) + page - 1) / page * page;
  const auto end = (reinterpret_cast<std::uintptr_t>(bytes.data()) + bytes.size()) / page * page;
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
}

}  // namespace ventora
