#include "replay/replay_writer.h"

#include <cerrno>
#include <cstring>

namespace ventora::replay {

std::unique_ptr<ReplayWriter> ReplayWriter::create(const std::string& path, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    error = "ventora: cannot record to " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<ReplayWriter>(new ReplayWriter(file, path));
}

ReplayWriter::~ReplayWriter() {
  if (file_) std::fclose(file_);
}

void ReplayWriter::write_header(const Header& header) {
  const std::string text = encode_header(header);
  write(text.data(), text.size());
}

void ReplayWriter::write_frame(const Frame& frame) {
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
    std::fprintf(stderr, "ventora: recording stopped: cannot write %s: %s\n", path_.c_str(),
                 std::strerror(errno));
    std::fclose(file_);
    file_ = nullptr;
  }
}

}  // namespace ventora::replay
