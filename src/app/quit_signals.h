// The signals that ask the game to end: SIGINT (Ctrl+C), SIGTERM, and SIGHUP (the terminal it
// runs in was closed). Once watched, each only notes the request, and the host ends the session at
// its next step as cleanly as after Escape, a recording with its end record.
#pragma once

namespace ventora {

// Call before the window opens (SDL then leaves these signals to us).
void watch_quit_signals();
// Whether one of them came since the last call.
bool take_quit_request();

}  // namespace ventora
