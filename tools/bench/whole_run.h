// The whole-run benchmark: the test bot plays a whole run (every stage, the bonus one included)
// through the real renderer, every frame drawn and timed, after the same warm-up as the game's
// start-up; frame times are reported per screen against the floor.
#pragma once

#include "bench/floor_pass.h"
#include "layout/output_mode.h"
#include "platform/window.h"

namespace ventora {

// Plays the run in `mode` in `window` and prints its table; without `warm`, the programs are built
// when a frame first needs them instead of at start-up. False when it could not be drawn.
bool bench_whole_run(Window& window, const FloorPass& floor, OutputMode mode, bool warm);

}  // namespace ventora
