#include "replay/replay_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "replay/regular_file.h"

namespace ventora::replay {

namespace {

std::string cannot_record(const std::string& path, const std::string& why) {
  return "ventora: cannot record to " + path + ": " + why;
}

// Opens `path` for writing, creating it, but only as a regular file: a pipe or a device is
// refused before it is opened (opening a pipe waits for a reader), and opening does not block
// should one take the file's place meanwhile. The file is emptied only once it is known to be
// one. -1 with `error` set when it cannot.
int open_regular_file(const std::string& path, std::string& error) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    if (auto refusal = not_a_regular_file(info.st_mode)) {
      error = cannot_record(path, *refusal);
      return -1;
    }
  }
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) {
    error = cannot_record(path, std::strerror(errno));
    return -1;
  }
  if (::fstat(fd, &info) != 0) {
    error = cannot_record(path, std::strerror(errno));
  } else if (auto refusal = not_a_regular_file(info.st_mode)) {
    error = cannot_record(path, *refusal);
  } else if (::ftruncate(fd, 0) != 0 ||
             ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    error = cannot_record(path, std::strerror(errno));
  } else {
    return fd;
  }
  ::close(fd);
  return -1;
}

}  // namespace

std::unique_ptr<ReplayWriter> ReplayWriter::create(const std::string& path,
                                                   std::string_view game_version,
                                                   std::string& error) {
  const int fd = open_regular_file(path, error);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "wb");
  if (!file) {
    error = cannot_record(path, std::strerror(errno));
    ::close(fd);
    return nullptr;
  }
  const std::string opening = encode_header_opening(game_version);
  std::unique_ptr<ReplayWriter> writer(new ReplayWriter(file, path, opening.size()));
  // At once: a game stopped before its first run (while the music decodes) leaves a file that
  // reads as a recording cut short, not as something else.
  writer->write(opening.data(), opening.size());
  return writer;
}

ReplayWriter::~ReplayWriter() {
  if (file_) std::fclose(file_);
}

void ReplayWriter::write_header(const Header& header) {
  const std::string text = encode_header(header).substr(opening_size_);
  write(text.data(), text.size());
}

void ReplayWriter::write_frame(const Frame& frame) {
  if (!file_) return;
  if (const std::optional<std::string> why = frame_does_not_fit(frame)) {
    stop("ventora: recording stopped: frame " + std::to_string(frames_ + 1) +
         " does not fit in a replay: " + *why);
    return;
  }
  const std::vector<std::uint8_t> bytes = encode_frame(frame, previous_ ? &*previous_ : nullptr);
  write(bytes.data(), bytes.size());
  previous_ = frame.input;
  ++frames_;
}

void ReplayWriter::write_end(std::uint64_t end_hash) {
  const std::vector<std::uint8_t> bytes = encode_end({frames_, end_hash});
  write(bytes.data(), bytes.size());
}

void ReplayWriter::write(const void* data, std::size_t size) {
  if (!file_) return;
  // Flushed at once: whatever reached the file stays usable if the game dies next.
  if (std::fwrite(data, 1, size, file_) != size || std::fflush(file_) != 0) {
    stop("ventora: recording stopped: cannot write " + path_ + ": " + std::strerror(errno));
  }
}

void ReplayWriter::stop(std::string why) {
  failure_ = std::move(why);
  std::fclose(file_);
  file_ = nullptr;
}

}  // namespace ventora::replay
