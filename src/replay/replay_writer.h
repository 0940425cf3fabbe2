// Writes a replay as the game runs: the header once the run has started, then one record per
// frame, each flushed at once, so a game that is killed leaves a file that replays up to its last
// whole frame. The file is written beside its path and takes the path's place only with its first
// frame: a game that ends or fails before that leaves whatever the path held untouched, and no
// file of its own. A write that fails, or a frame too big for a record, stops the recording and
// leaves one line for the caller to report; the game goes on.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "base/result.h"
#include "replay/replay_format.h"
#include "replay/staged_file.h"

namespace ventora::replay {

class ReplayWriter {
 public:
  // Readies a recording to `path`; one line when `path` is there but is no regular file or cannot
  // be written, or when its folder cannot take a new file.
  static Result<std::unique_ptr<ReplayWriter>> create(const std::string& path);
  ReplayWriter(const ReplayWriter&) = delete;
  ReplayWriter& operator=(const ReplayWriter&) = delete;

  void write_header(const Header& header);
  // The first frame also puts the file in place of whatever `path` held.
  void write_frame(const Frame& frame);
  // The end record: the number of frames written and the hash of the last state. Nothing before
  // the first frame: there is no file then.
  void write_end(std::uint64_t end_hash);

  std::uint64_t frames_written() const { return frames_; }
  // False once a write has failed.
  bool ok() const { return file_->file() != nullptr; }
  // Why the recording stopped, once, the first time it is asked after a failed
  // write; nothing otherwise.
  std::optional<Error> take_failure() { return std::exchange(failure_, std::nullopt); }

 private:
  ReplayWriter(std::unique_ptr<StagedFile> file, std::string path)
      : file_(std::move(file)), path_(std::move(path)) {}
  void write(const void* data, std::size_t size);
  // Ends the recording, keeping what is written, with `why` for take_failure().
  void stop(std::string why);

  std::unique_ptr<StagedFile> file_;
  std::string path_;
  std::optional<FrameInput> previous_;
  std::optional<Error> failure_;
  std::uint64_t frames_ = 0;
};

}  // namespace ventora::replay
