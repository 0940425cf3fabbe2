// Window: the one SDL2 window with its OpenGL 3.3 core context, turned into a FrameInput per frame.
// No SDL type leaks out of this header, so the game's start-up code stays free of SDL includes.
#pragma once

#include <memory>
#include <span>
#include <string>

#include "base/frame_input.h"
#include "base/pad_input.h"
#include "base/result.h"
#include "base/shell_input.h"
#include "base/sound_keys.h"
#include "draw/draw_list.h"
#include "render/letterbox.h"

namespace ventora {

class GlRenderer;

struct WindowConfig {
  std::string title = "Ventora";
  int width = 960;   // logical pixels
  int height = 720;
  bool high_dpi = false;  // a drawable larger than the logical size where the display offers one
  bool fullscreen = false;  // start in fullscreen (see Window::set_fullscreen)
  // How a picture is scaled onto a window or screen of another size: to fill it, or only by
  // whole numbers (--integer-scale).
  Scaling scaling = Scaling::Fill;
  bool vsync = true;        // ask the swap to wait for the display's refresh
};

class Window {
 public:
  // Opens the window, its GL context and the renderer; on failure the one line that names what
  // is missing. The window opens at the configured size where that fits the display's usable
  // area with its frame, else at the largest size of the same shape that does, centred on it;
  // the game still draws at the configured size. With the offscreen driver (tests, tools) it
  // always opens at the configured size.
  static Result<std::unique_ptr<Window>> open(const WindowConfig& config);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Collects the events since the last call into `input` (pressed keys and clicks are this
  // frame's only). False once the window was asked to close.
  bool poll(FrameInput& input);
  // The game controllers as of the last `poll` (plugged in or out at any time).
  const PadInput& pad() const;
  // What the last `poll` saw that is the shell's: P (which does not reach the game's input
  // either), the focus lost or the window minimised, a key or click, a picture gone stale.
  const ShellInput& shell() const;
  // Sleeps until an event arrives or `seconds` have passed.
  void wait_for_events(double seconds);
  // The sound keys that the last `poll` collected, in order: M, + (or =) and - on the main
  // keyboard or the keypad. Like F11 they are the shell's: they do not reach the game's input.
  std::span<const SoundKey> sound_keys() const;
  // Duration of the previous frame in seconds (present to present).
  double frame_seconds() const;
  // The refresh rate of the window's display in Hz; 0 when the display does not say.
  double refresh_rate() const;
  // Whether the driver accepted the swap interval asked for with `vsync`.
  bool vsync() const;
  // The game's new size: what `poll` reports and the list is drawn at from now on. Outside
  // fullscreen the window system is asked for a window of that size (fitted to the display, as at
  // the start); whatever size the window then has, the picture is shown scaled into it.
  void request_size(int width, int height);
  // Desktop fullscreen. In it, as whenever the window's size is not the game's (maximised, tiled,
  // resized, or fitted to a small display), the game keeps its size and its picture is shown
  // scaled to fit as the configured scaling says, centred on black; mouse positions are mapped
  // back into game units. Leaving it asks for the window at the game's size again. F11 and
  // Alt+Enter toggle it inside `poll`; those keys do not reach the game. The window system's
  // reason when it refuses.
  Status set_fullscreen(bool on);
  bool fullscreen() const;
  // Executes `list` onto the window's drawable; the renderer's error when it cannot.
  Status draw(const DrawList& list);
  // Shows the frame drawn since the last present.
  void present();
  GlRenderer& renderer();
  int width() const;   // logical pixels, as the game lays out: the game's size, not the window's
  int height() const;
  // Whether the window system was asked for a high-DPI drawable.
  bool high_dpi() const;

 private:
  struct Impl;
  explicit Window(std::unique_ptr<Impl> impl);
  // Shows the window, opened hidden, and fills it with black at once.
  void show_cleared();
  std::unique_ptr<Impl> impl_;
};

}  // namespace ventora
