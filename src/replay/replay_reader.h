// Reading a replay back, checking everything: a file that is damaged, cut short or made by
// another version of the game gives one line that says so, never a crash.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "replay/replay_format.h"

namespace ventora::replay {

struct ReadResult {
  std::optional<ReplayFile> replay;  // set when the file can be replayed (end record or not)
  std::string error;                 // otherwise one line, without the file's name
};

// Parses a whole replay. `game_version` is this game's: a replay made by another is refused.
// A tail cut off in the middle of a record (the game was killed while writing) is dropped: the
// replay holds its whole frames and no end record.
ReadResult read_replay(std::span<const std::uint8_t> bytes, std::string_view game_version);

// read_replay over a file; a file that cannot be read is an error too.
ReadResult read_replay_file(const std::string& path, std::string_view game_version);

}  // namespace ventora::replay
