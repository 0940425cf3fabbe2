// What the window saw in a frame that is the shell's, not the game's: the pause key, the window
// losing the player's attention, and whether the picture on screen went stale.
#pragma once

namespace ventora {

struct ShellInput {
  bool pause_key = false;      // P went down (it never reaches the game's input)
  bool focus_lost = false;     // the window lost the focus, or was minimised or hidden
  bool keyboard_used = false;  // a key or a mouse button went down
  bool redraw = false;         // the window was shown, exposed or resized: draw it again
};

}  // namespace ventora
