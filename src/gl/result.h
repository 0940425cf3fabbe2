// The GL toolkit reports failures with the one result type of the whole game.
#pragma once

#include "base/result.h"

namespace gl {

using ventora::Done;
using ventora::Error;
using ventora::Result;
using ventora::Status;

}  // namespace gl
