// `--replay FILE`: a replay played back in the window at its recorded pace, with the picture and
// the music the game made. The keyboard does only two things meanwhile: Escape quits and Space
// pauses. At the end the last picture stays until Escape.
#pragma once

#include "platform/window.h"
#include "replay/replay_reader.h"

namespace ventora {

// Plays the replay `reader` reads in `window`; returns the exit status: 0, or 1 for a file that
// turned out damaged or after the line that says why a frame could not be drawn. A frame where
// the replay parts from the recording is reported on stderr once, and the replay plays on; damage
// stops it where it is.
int play_replay_in_window(Window& window, replay::ReplayReader& reader);

}  // namespace ventora
