// `--replay FILE --check`: re-runs a replay without a window or sound, as fast as it goes, and
// says whether every frame came out as recorded.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "app/replay_playback.h"
#include "replay/replay_reader.h"

namespace ventora {

// Exit codes of a check.
inline constexpr int kReplayOk = 0;
inline constexpr int kReplayFailed = 1;      // parted from the recording, or an unusable file
inline constexpr int kReplayIncomplete = 2;  // every frame there matched, but no end record

// How a replay came out, as `--check` and the window replay both tell it: one line (without its
// newline) and the exit status.
struct ReplayVerdict {
  int exit_code = kReplayOk;
  std::string line;
};

// "replay differs at the start: …" or "replay differs at frame K: …".
std::string parting_line(const Parting& parting);
// The verdict once `playback` has stopped: at the first frame where it parted from the recording,
// or with no frame left (the reader's ending says why).
ReplayVerdict replay_verdict(const ReplayPlayback& playback, const replay::ReplayReader& reader);
// The verdict on `path` when it did not open as a replay, for the `error` it gave: a file cut
// inside its header is a recording stopped before its run began, incomplete; anything else cannot
// be used.
ReplayVerdict unopened_verdict(const std::string& path, const replay::ReplayError& error);

// Plays every frame as it is read and prints one line on `out`: "replay ok: F frames, end state
// H", the frame where the replay first parts from the recording, "replay damaged at byte B
// (frame K): …" where the file turns out damaged, or "replay incomplete: F frames checked, no
// end record".
int check_replay(replay::ReplayReader& reader, std::FILE* out);

// Opens the file and checks it. A file that stops inside its header is a recording stopped before
// its run began: nothing to check, incomplete, said on stdout; a file that cannot be used gets
// its one line on stderr.
int check_replay_file(const std::string& path, std::string_view game_version);

}  // namespace ventora
