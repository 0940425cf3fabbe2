// The browser's soundtrack files: the build puts each track's MP3 beside the page instead of inside
// the WebAssembly, and the page fetches them into the module's file system once the first frame is
// up, so that the game starts without waiting for the music. The same rows as the desktop's
// embedded soundtrack (music_tracks(), defeat_cue_track()) then read their bytes from there.
#pragma once

#include <span>
#include <string_view>

namespace ventora {

// Where the page puts the fetched files.
inline constexpr std::string_view kFetchedMusicFolder = "/music/";

// Every track's file name (the cue's too), in the soundtrack table's order: what the page fetches
// from its music/ folder into kFetchedMusicFolder. Read the tracks only once all of them are there.
std::span<const std::string_view> fetched_track_files();

// The playlist's stored lengths, in its order, known before any file arrives: a playlist can be
// drawn at once and the tracks join it later (see arriving_music.h).
std::span<const float> playlist_track_seconds();

}  // namespace ventora
