#include "app/window_host.h"

namespace ventora {

WindowHost::WindowHost(Window& window, OutputMode mode) : window_(window), mode_(mode) {}

bool WindowHost::poll_window(FrameInput& input) {
  const bool open = window_.poll(input);
  now_ = input.time;
  sound_.press(window_.sound_keys(), now_);
  return open;
}

ShellInput WindowHost::shell() {
  ShellInput shell = window_.shell();
  shell.redraw = shell.redraw || sound_.note(now_).has_value();
  return shell;
}

void WindowHost::request_size(WindowSize size) {
  window_.request_size(static_cast<int>(size.width), static_cast<int>(size.height));
}

void WindowHost::show(DrawList& list) {
  if (const Status drawn = draw_frame(window_, list, sound_, mode_, now_); !drawn) {
    fail(drawn.error());
    return;
  }
  window_.present();
}

bool WindowHost::poll_music(std::unique_ptr<MusicPlayer>& player, Pcg32& rng) {
  return poll_music_set_up(music_, sound_, player, rng);
}

bool WindowHost::warm_up() {
  Result<bool> warmed = warm_up_.step(window_);
  if (!warmed) {
    fail(warmed.error());
    return false;
  }
  return warmed.value();
}

}  // namespace ventora
