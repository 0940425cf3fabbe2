// A file written beside the path it is meant for and put there in one step once it is worth
// keeping: until then whatever the path holds stays as it was, and a file never put in place
// leaves nothing behind. Where the file system can, the file has no name at all until then, so
// not even a killed process leaves it behind.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "base/result.h"

namespace ventora::replay {

class StagedFile {
 public:
  // A new, empty file in the folder of `path`, open for writing; `path` itself is not touched.
  // Why not (strerror's words) when the folder cannot take one.
  static Result<std::unique_ptr<StagedFile>> create(const std::string& path);
  // Closes the file; one never put in place is gone with it.
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // The open file; nullptr once closed.
  std::FILE* file() const { return file_; }
  // Puts the file at its path, replacing what was there in one step. Why not, when it cannot.
  Status put_in_place();
  bool placed() const { return placed_; }
  void close();

 private:
  StagedFile(std::FILE* file, std::string path, std::optional<std::string> named)
      : file_(file), path_(std::move(path)), named_(std::move(named)) {}

  std::FILE* file_;
  std::string path_;
  std::optional<std::string> named_;  // the file's name beside `path_` where it cannot go unnamed
  bool placed_ = false;
};

}  // namespace ventora::replay
