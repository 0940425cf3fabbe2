// `--replay FILE --check`: re-runs a replay without a window or sound, as fast as it goes, and
// says whether every frame came out as recorded.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "replay/replay_format.h"

namespace ventora {

// Exit codes of a check.
inline constexpr int kReplayOk = 0;
inline constexpr int kReplayFailed = 1;      // parted from the recording, or an unusable file
inline constexpr int kReplayIncomplete = 2;  // every frame there matched, but no end record

// Plays every frame and prints one line on `out`: "replay ok: F frames, end state H", the frame
// where the replay first parts from the recording, or "replay incomplete: F frames checked, no
// end record".
int check_replay(const replay::ReplayFile& replay, std::FILE* out);

// Reads the file (one line on stderr when it cannot be used) and checks it.
int check_replay_file(const std::string& path, std::string_view game_version);

}  // namespace ventora
