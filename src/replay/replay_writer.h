// Writes a replay as the game runs: the header's opening lines at once, the rest of it once the
// run has started, then one record per frame, each flushed at once, so a game that is killed
// leaves a file that replays up to its last whole frame. A write that fails, or a frame too big
// for a record, stops the recording and leaves one line for the caller to report; the game goes
// on.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "base/result.h"
#include "replay/replay_format.h"

namespace ventora::replay {

class ReplayWriter {
 public:
  // Creates (or empties) the file and writes the opening of the header (`game_version` is the
  // one the header will name); one line when it cannot, or when `path` is there but not a
  // regular file.
  static Result<std::unique_ptr<ReplayWriter>> create(const std::string& path,
                                                      std::string_view game_version);
  ~ReplayWriter();
  ReplayWriter(const ReplayWriter&) = delete;
  ReplayWriter& operator=(const ReplayWriter&) = delete;

  // The rest of the header; `header` names the game version given to create().
  void write_header(const Header& header);
  void write_frame(const Frame& frame);
  // The end record: the number of frames written and the hash of the last state.
  void write_end(std::uint64_t end_hash);

  std::uint64_t frames_written() const { return frames_; }
  // False once a write has failed.
  bool ok() const { return file_ != nullptr; }
  // Why the recording stopped, once, the first time it is asked after a failed write; nothing
  // otherwise.
  std::optional<Error> take_failure() { return std::exchange(failure_, std::nullopt); }

 private:
  ReplayWriter(std::FILE* file, std::string path, std::size_t opening_size)
      : file_(file), path_(std::move(path)), opening_size_(opening_size) {}
  void write(const void* data, std::size_t size);
  // Ends the recording, keeping what is written, with `why` for take_failure().
  void stop(std::string why);

  std::FILE* file_;
  std::string path_;
  std::size_t opening_size_;  // the bytes of the header written by create()
  std::optional<FrameInput> previous_;
  std::optional<Error> failure_;
  std::uint64_t frames_ = 0;
};

}  // namespace ventora::replay
