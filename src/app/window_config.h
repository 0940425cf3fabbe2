// The window the output mode asks for: its size, and high DPI only for the plain 960 × 720 mode
// (the HD modes draw their own chunky pixels and want one window pixel per screen pixel).
#pragma once

#include "layout/output_mode.h"
#include "platform/window.h"

namespace ventora {

WindowConfig window_config_for(OutputMode mode);

}  // namespace ventora
