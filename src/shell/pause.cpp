#include "shell/pause.h"

namespace ventora {

PauseStep pause_step(bool paused, Screen screen, const ShellInput& shell, const PadInput& pad,
                     const FrameInput& input) {
  const bool start = pad.is_pressed(PadButton::Start);
  if (paused) {
    if (input.is_pressed(Key::Escape) || pad.is_pressed(PadButton::Back)) return PauseStep::Quit;
    if (shell.pause_key || start || input.left_click) return PauseStep::Resume;
    return PauseStep::Stay;
  }
  // Escape quits at once on any screen; the running frame sees to it.
  if (input.is_pressed(Key::Escape)) return PauseStep::Run;
  if (shell.pause_key || shell.focus_lost || (start && screen == Screen::Fight)) {
    return PauseStep::Pause;
  }
  return PauseStep::Run;
}

std::optional<PadLayout> controls_in_use(std::optional<PadLayout> before, const ShellInput& shell,
                                         const PadInput& pad) {
  if (pad.pressed.any()) return pad.layout;
  if (shell.keyboard_used) return std::nullopt;
  return before;
}

}  // namespace ventora
