// Frames of the game drawn offscreen through the real GlRenderer and saved as PNG, for the tools
// that make pictures (the icon, the README's screenshots).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/result.h"
#include "draw/draw_list.h"

namespace ventora {

class Window;

struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;  // top row first
};

class Snapshots {
 public:
  // A hidden GL window (SDL's offscreen driver unless SDL_VIDEODRIVER says otherwise); the
  // reason when there is no GL 3.3.
  static Result<std::unique_ptr<Snapshots>> create();
  ~Snapshots();

  // `list` drawn as the window would draw it on a screen of `width` × `height`.
  Result<Picture> draw(const DrawList& list, int width, int height);

 private:
  explicit Snapshots(std::unique_ptr<Window> window);
  std::unique_ptr<Window> window_;
};

// The picture tools' shared start: "--out DIR" from the arguments, and the offscreen window.
// Nothing, after a usage line or the reason on stderr, when either is missing; `exit_status` then
// says what to exit with.
std::unique_ptr<Snapshots> start_picture_tool(int argc, char** argv, const char* name, std::string& out,
                                              int& exit_status);

// The square of `picture` with top-left (x, y) and side `side`.
Picture crop(const Picture& picture, int x, int y, int side);
// Scaled to `side` × `side` (shrinking averages).
Picture resized(const Picture& square, int side);
// False, with a line on stderr, when the file cannot be written.
bool write_png(const std::string& path, const Picture& picture);

}  // namespace ventora
