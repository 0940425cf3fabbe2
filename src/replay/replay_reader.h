// Reading a replay back, checking everything: a file that is damaged, cut short or made by
// another version of the game gives one line that says so, never a crash. The header is read
// and checked first; then the records are read one at a time as they are played, so a replay
// of any length takes the same little memory, and a file that is no replay is told after its
// first few kilobytes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "replay/replay_format.h"

namespace ventora::replay {

// How the records of a replay stopped.
enum class Ending : std::uint8_t {
  None,       // more may follow
  EndRecord,  // with the end record, and nothing after it: the game ended normally
  Cut,        // the file stops inside or right after a record: a recording that was stopped
  Damaged,    // something no recording writes (see problem())
};

class ReplayReader;

// Why a replay cannot be played: one line, without the file's name.
struct ReplayError {
  std::string message;
  // The file stops inside its header: a recording stopped before its first run began, which a
  // caller tells apart from a damaged file. `message` says so too.
  bool header_cut = false;
};

// A reader whose header is whole and right.
using OpenResult = Result<std::unique_ptr<ReplayReader>, ReplayError>;

class ReplayReader {
 public:
  // Where the bytes come from: a file or memory.
  class Source {
   public:
    virtual ~Source() = default;
    // Up to `out.size()` bytes into `out`: how many (0 at the end), or -1 with errno set.
    virtual long read(std::span<std::uint8_t> out) = 0;
  };

  // Reads and checks the header. `game_version` is this game's: a replay made by another is
  // refused.
  static OpenResult open(std::unique_ptr<Source> source, std::string_view game_version);
  ~ReplayReader();
  ReplayReader(const ReplayReader&) = delete;
  ReplayReader& operator=(const ReplayReader&) = delete;

  const Header& header() const { return header_; }

  // Reads the next frame into `frame`. False once the records have stopped: ending() says how.
  bool next(Frame& frame);

  Ending ending() const { return ending_; }
  // The end record, with Ending::EndRecord.
  const std::optional<End>& end() const { return end_; }
  // With Ending::Damaged, one line: "damaged at byte B (frame K): …".
  const std::string& problem() const { return problem_; }
  std::uint64_t frames_read() const { return frames_; }

 private:
  explicit ReplayReader(std::unique_ptr<Source> source);
  // Makes `size` bytes from the read position available; false when the file stops sooner or
  // cannot be read (then read_error_ is set).
  bool fill(std::size_t size);
  std::span<const std::uint8_t> buffered() const;
  void consume(std::size_t size);
  // Reads one record; true for a frame.
  bool read_record(Frame& frame);
  bool stop(Ending ending, std::string problem = {});
  // The start of a message about the record at file offset `byte`.
  std::string damaged_at(std::uint64_t byte) const;

  std::unique_ptr<Source> source_;
  Header header_;
  std::vector<std::uint8_t> buffer_;
  std::size_t begin_ = 0;     // the read position in the buffer
  std::size_t filled_ = 0;    // the end of what the buffer holds
  std::uint64_t offset_ = 0;  // the file offset of buffer_[begin_]
  bool at_end_of_file_ = false;
  int read_error_ = 0;
  FrameInput previous_;  // the mouse and screen size that carry over to the next frame
  std::uint64_t frames_ = 0;
  Ending ending_ = Ending::None;
  std::optional<End> end_;
  std::string problem_;
};

// Opens a replay and reads its header. Only a regular file is read: a directory, a pipe or a
// device is refused unopened.
OpenResult open_replay_file(const std::string& path, std::string_view game_version);
// The same over bytes in memory, which must outlive the reader.
OpenResult open_replay_bytes(std::span<const std::uint8_t> bytes, std::string_view game_version);

// A whole replay in memory, for the tools and tests that take one apart: set when the file can
// be replayed (end record or not).
using ReadResult = Result<ReplayFile, ReplayError>;

// Reads every record of `bytes` through ReplayReader. A file cut off inside or right after a
// record holds its whole frames and no end record.
ReadResult read_replay(std::span<const std::uint8_t> bytes, std::string_view game_version);

}  // namespace ventora::replay
