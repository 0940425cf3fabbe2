#include "replay/staged_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace ventora::replay {

namespace {

namespace fs = std::filesystem;

// The folder that holds `path`.
std::string folder_of(const std::string& path) {
  const fs::path parent = fs::path(path).parent_path();
  return parent.empty() ? "." : parent.string();
}

// A name beside `path` for the file on its way there, hidden from a plain listing.
std::string name_beside(const std::string& path) {
  const fs::path p(path);
  return (fs::path(folder_of(path)) /
          ("." + p.filename().string() + "." + std::to_string(::getpid()) + ".part"))
      .string();
}

}  // namespace

Result<std::unique_ptr<StagedFile>> StagedFile::create(const std::string& path) {
  std::optional<std::string> named;
#ifdef O_TMPFILE
  int fd = ::open(folder_of(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  // Some file systems (FAT on a memory stick, some network ones) have no unnamed files.
  const bool unnamed_refused = fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR);
#else
  int fd = -1;  // a C library without unnamed files
  const bool unnamed_refused = true;
#endif
  if (unnamed_refused) {
    named = name_beside(path);
    fd = ::open(named->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  }
  if (fd < 0) return Error{std::strerror(errno)};
  std::FILE* file = ::fdopen(fd, "wb");
  if (!file) {
    Error error{std::strerror(errno)};
    ::close(fd);
    if (named) ::unlink(named->c_str());
    return error;
  }
  return std::unique_ptr<StagedFile>(new StagedFile(file, path, std::move(named)));
}

StagedFile::~StagedFile() {
  close();
  if (named_ && !placed_) ::unlink(named_->c_str());
}

void StagedFile::close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

Status StagedFile::put_in_place() {
  if (placed_) return Done{};
  if (!named_) {
    if (!file_) return Error{std::strerror(EBADF)};
    // An unnamed file gets a name beside its path first: a link cannot replace a file, a rename
    // can.
    const std::string self = "/proc/self/fd/" + std::to_string(::fileno(file_));
    const std::string beside = name_beside(path_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, beside.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      return Error{std::strerror(errno)};
    }
    named_ = beside;
  }
  if (::rename(named_->c_str(), path_.c_str()) != 0) return Error{std::strerror(errno)};
  placed_ = true;
  return Done{};
}

}  // namespace ventora::replay
