#include "replay/replay_writer.h"

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

// Why `path` cannot take a recording: it is there but is no regular file (a pipe, a device), or
// is one this user may not write.
Status refusal(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return Done{};  // a new file
  if (Status regular = check_regular_file(info.st_mode); !regular) return regular;
  if (::access(path.c_str(), W_OK) != 0) return Error{std::strerror(errno)};
  return Done{};
}

}  // namespace

Result<std::unique_ptr<ReplayWriter>> ReplayWriter::create(const std::string& path) {
  if (const Status allowed = refusal(path); !allowed) {
    return cannot_record(path, allowed.error().message);
  }
  Result<std::unique_ptr<StagedFile>> file = StagedFile::create(path);
  if (!file) return cannot_record(path, file.error().message);
  return std::unique_ptr<ReplayWriter>(new ReplayWriter(std::move(file.value()), path));
}

void ReplayWriter::write_header(const Header& header) {
  const std::string text = encode_header(header);
  write(text.data(), text.size());
}

void ReplayWriter::write_frame(const Frame& frame) {
  if (!ok()) return;
  if (const Status fits = check_frame_fits(frame); !fits) {
    stop("ventora: recording stopped: frame " + std::to_string(frames_ + 1) +
         " does not fit in a replay: " + fits.error().message);
    return;
  }
  const std::vector<std::uint8_t> bytes = encode_frame(frame, previous_ ? &*previous_ : nullptr);
  write(bytes.data(), bytes.size());
  if (!ok()) return;
  previous_ = frame.input;
  ++frames_;
  // From the first frame on there is a run worth keeping: it takes the place of what was there.
  if (const Status placed = file_->put_in_place(); !placed) {
    stop("ventora: recording stopped: cannot write " + path_ + ": " + placed.error().message);
  }
}

void ReplayWriter::write_end(std::uint64_t end_hash) {
  if (!file_->placed()) return;
  const std::vector<std::uint8_t> bytes = encode_end({frames_, end_hash});
  write(bytes.data(), bytes.size());
}

void ReplayWriter::write(const void* data, std::size_t size) {
  std::FILE* file = file_->file();
  if (!file) return;
  // Flushed at once: whatever reached the file stays usable if the game dies next.
  if (std::fwrite(data, 1, size, file) != size || std::fflush(file) != 0) {
    stop("ventora: recording stopped: cannot write " + path_ + ": " + std::strerror(errno));
  }
}

void ReplayWriter::stop(std::string why) {
  failure_ = Error{std::move(why)};
  file_->close();
}

}  // namespace ventora::replay
