// Replays are read from and written to regular files only: opening a named pipe waits for its
// other end, and a device or a pipe can feed the game bytes without end.
#pragma once

#include <sys/types.h>

#include "base/result.h"

namespace ventora::replay {

// Done for a regular file; otherwise why it is refused, for the one line that says so ("it is a
// directory, not a regular file").
Status check_regular_file(mode_t mode);

}  // namespace ventora::replay
