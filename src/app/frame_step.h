// What one step of a loop leaves to the host that calls it. A step takes one frame's input, does
// that frame's work, shows it if it has one to show, and returns: it never sleeps or waits, so a
// browser can call it once per animation frame. The waiting (pacing the frames, a paused game's
// rest, ending the process) is the host's.
#pragma once

#include <cstdint>

namespace ventora {

struct StepResult {
  enum class Next : std::uint8_t {
    Continue,  // a frame was shown: call again once the host has paced it
    Idle,      // nothing is due before `idle_seconds`: the host may rest until then or an event
    Quit,      // the program ends with `exit_status`
  };
  Next next = Next::Continue;
  double idle_seconds = 0;
  int exit_status = 0;

  static StepResult shown() { return {}; }
  static StepResult idle(double seconds) { return {Next::Idle, seconds, 0}; }
  static StepResult quit(int status = 0) { return {Next::Quit, 0, status}; }
};

}  // namespace ventora
