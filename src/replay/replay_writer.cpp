#include "replay/replay_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "replay/regular_file.h"

namespace ventora::replay {

namespace {

Error cannot_record(const std::string& path, const std::string& why) {
  return Error{"ventora: cannot record to " + path + ": " + why};
}

// Opens `path` for writing, creating it, but only as a regular file: a pipe or a device is
// refused before it is opened (opening a pipe waits for a reader), and opening does not block
// should one take the file's place meanwhile. The file is emptied only once it is known to be
// one. Its descriptor, or the line that says why it cannot.
Result<int> open_regular_file(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    if (Status regular = check_regular_file(info.st_mode); !regular) {
      return cannot_record(path, regular.error().message);
    }
  }
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) return cannot_record(path, std::strerror(errno));
  Error error;
  if (::fstat(fd, &info) != 0) {
    error = cannot_record(path, std::strerror(errno));
  } else if (Status regular = check_regular_file(info.st_mode); !regular) {
    error = cannot_record(path, regular.error().message);
  } else if (::ftruncate(fd, 0) != 0 ||
             ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    error = cannot_record(path, std::strerror(errno));
  } else {
    return fd;
  }
  ::close(fd);
  return error;
}

}  // namespace

Result<std::unique_ptr<ReplayWriter>> ReplayWriter::create(const std::string& path,
                                                           std::string_view game_version) {
  const Result<int> fd = open_regular_file(path);
  if (!fd) return fd.error();
  std::FILE* file = ::fdopen(fd.value(), "wb");
  if (!file) {
    Error error = cannot_record(path, std::strerror(errno));
    ::close(fd.value());
    return error;
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
  if (const Status fits = check_frame_fits(frame); !fits) {
    stop("ventora: recording stopped: frame " + std::to_string(frames_ + 1) +
         " does not fit in a replay: " + fits.error().message);
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
  failure_ = Error{std::move(why)};
  std::fclose(file_);
  file_ = nullptr;
}

}  // namespace ventora::replay
