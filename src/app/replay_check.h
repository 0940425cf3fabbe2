// `--replay FILE --check`: re-runs a replay without a window or sound, as fast as it goes, and
// says whether every frame came out as recorded.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "replay/replay_reader.h"

namespace ventora {

// Exit codes of a check.
inline constexpr int kReplayOk = 0;
inline constexpr int kReplayFailed = 1;      // parted from the recording, or an unusable file
inline constexpr int kReplayIncomplete = 2;  // every frame there matched, but no end record

// Plays every frame as it is read and prints one line on `out`: "replay ok: F frames, end state
// H", the frame where the replay first parts from the recording, "replay damaged at byte B
// (frame K): …" where the file turns out damaged, or "replay incomplete: F frames checked, no
// end record".
int check_replay(replay::ReplayReader& reader, std::FILE* out);

// Opens the file (one line on stderr when it cannot be used) and checks it. A file that stops
// inside its header is a recording stopped before its run began: nothing to check, incomplete.
int check_replay_file(const std::string& path, std::string_view game_version);

}  // namespace ventora
