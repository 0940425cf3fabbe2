#include "replay/regular_file.h"

#include <sys/stat.h>

#include <string>

namespace ventora::replay {

Status check_regular_file(mode_t mode) {
  if (S_ISREG(mode)) return Done{};
  const char* kind = S_ISDIR(mode)    ? "a directory"
                     : S_ISFIFO(mode) ? "a named pipe"
                     : S_ISCHR(mode)  ? "a character device"
                     : S_ISBLK(mode)  ? "a block device"
                     : S_ISSOCK(mode) ? "a socket"
                                      : "something else";
  return Error{std::string("it is ") + kind + ", not a regular file"};
}

}  // namespace ventora::replay
