// Game controllers through SDL's GameController API: opens every pad that is plugged in (at start
// or later), closes the ones pulled out, and merges their buttons and left sticks into a PadInput.
#pragma once

#include <map>
#include <memory>

#include "base/pad_input.h"

union SDL_Event;

namespace ventora {

class Gamepads {
 public:
  Gamepads();
  ~Gamepads();
  Gamepads(const Gamepads&) = delete;
  Gamepads& operator=(const Gamepads&) = delete;

  // A new frame: nothing pressed yet.
  void begin_frame();
  // Takes a controller event (device added or removed, button, axis); false for any other event.
  bool handle(const SDL_Event& event);
  // This frame's buttons, every pad merged.
  PadInput input() const;
  int connected() const { return static_cast<int>(pads_.size()); }

 private:
  struct Pad;
  void set(Pad& pad, PadButton button, bool down);
  std::map<int, std::unique_ptr<Pad>> pads_;  // by SDL joystick instance id
  PadInput pressed_;                          // what went down this frame, on any pad
  PadLayout layout_ = PadLayout::Xbox;        // of the pad pressed last
};

}  // namespace ventora
