// The browser's twin of embedded_tracks.cpp: the same rows, with each MP3 read from the file the
// page fetched (see fetched_tracks.h) instead of from the executable.
#include "music/fetched_tracks.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "music/embedded_tracks.h"

namespace ventora {

namespace {

enum class TrackRole { Playlist, DefeatCue };

struct FileRow {
  std::string_view file;
  TrackRole role;
  std::string_view label;
  float seconds;
};

constexpr FileRow kRows[] = {
#define VENTORA_EMBEDDED_TRACK(slug, title, artist, role, seconds) \
  {#slug ".mp3", TrackRole::role, title " - " artist, seconds},
#include "embedded_track_rows.inc"
#undef VENTORA_EMBEDDED_TRACK
};
static_assert(std::count_if(std::begin(kRows), std::end(kRows),
                            [](const FileRow& row) { return row.role == TrackRole::DefeatCue; }) == 1,
              "the soundtrack has one defeat cue");

// A fetched file's bytes; none when it is missing (decoding then reports the track as failed).
std::vector<std::uint8_t> read_fetched(std::string_view file) {
  std::ifstream in(std::string(kFetchedMusicFolder) + std::string(file), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct LoadedRow {
  TrackRole role;
  std::vector<std::uint8_t> bytes;
  EmbeddedTrack track;
};

// Read once, on first use: the page fetched every file by then.
const std::vector<LoadedRow>& rows() {
  static const std::vector<LoadedRow> all = [] {
    std::vector<LoadedRow> loaded;
    loaded.reserve(std::size(kRows));
    for (const FileRow& row : kRows) {
      LoadedRow& entry = loaded.emplace_back(LoadedRow{row.role, read_fetched(row.file), {}});
      entry.track = {row.label, entry.bytes, row.seconds};
    }
    return loaded;
  }();
  return all;
}

}  // namespace

std::span<const std::string_view> fetched_track_files() {
  static const std::vector<std::string_view> files = [] {
    std::vector<std::string_view> names;
    for (const FileRow& row : kRows) names.push_back(row.file);
    return names;
  }();
  return files;
}

std::span<const float> playlist_track_seconds() {
  static const std::vector<float> seconds = [] {
    std::vector<float> lengths;
    for (const FileRow& row : kRows) {
      if (row.role == TrackRole::Playlist) lengths.push_back(row.seconds);
    }
    return lengths;
  }();
  return seconds;
}

std::span<const EmbeddedTrack> music_tracks() {
  static const std::vector<EmbeddedTrack> playlist = [] {
    std::vector<EmbeddedTrack> tracks;
    for (const LoadedRow& row : rows()) {
      if (row.role == TrackRole::Playlist) tracks.push_back(row.track);
    }
    return tracks;
  }();
  return playlist;
}

const EmbeddedTrack& defeat_cue_track() {
  return std::find_if(rows().begin(), rows().end(),
                      [](const LoadedRow& row) { return row.role == TrackRole::DefeatCue; })->track;
}

// The files live in the module's memory, not in pages of an executable: nothing to hand back.
void release_embedded_pages(std::span<const std::uint8_t>) {}

}  // namespace ventora
