// Pausing is the shell's: while the game is paused no frame of the run is updated, recorded or
// timed, so a pause changes nothing the game's rules can see. P pauses on any screen, the pad's
// Start during a fight (elsewhere Start keeps its meaning), and so does the window losing the
// focus or being minimised once the fight's first frame is up (the frame loop keeps to that).
// P, Start or a click resumes; the focus coming back does not, so a player who returns finds the
// fight where it was. Escape, or the pad's Back, quits from a pause.
#pragma once

#include <optional>

#include "base/frame_input.h"
#include "base/pad_input.h"
#include "base/shell_input.h"
#include "game/game_state.h"

namespace ventora {

enum class PauseStep {
  Run,     // not paused: the frame runs as always
  Pause,   // this frame pauses; the run does not move in it
  Stay,    // still paused
  Resume,  // this frame resumes; the run moves again from the next one
  Quit,    // paused, and the player quits
};

// What this frame does about the pause, given whether the game is paused now and the screen the
// run shows.
PauseStep pause_step(bool paused, Screen screen, const ShellInput& shell, const PadInput& pad,
                     const FrameInput& input);

// The controller whose buttons the hints show after this frame: the pad's layout once a pad
// button went down, none again once the keyboard or the mouse is used.
std::optional<PadLayout> controls_in_use(std::optional<PadLayout> before, const ShellInput& shell,
                                         const PadInput& pad);

}  // namespace ventora
