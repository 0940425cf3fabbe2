// A GL context without a screen (SDL's offscreen driver unless SDL_VIDEODRIVER says otherwise)
// and an offscreen colour target to draw planets into and read back. For tools and tests.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace planet {

class HeadlessGl {
 public:
  // A current OpenGL 3.3 core context, or nothing with the reason in `error`.
  static std::unique_ptr<HeadlessGl> create(std::string& error);
  ~HeadlessGl();
  HeadlessGl(const HeadlessGl&) = delete;
  HeadlessGl& operator=(const HeadlessGl&) = delete;

 private:
  HeadlessGl(void* window, void* context) : window_(window), context_(context) {}
  void* window_;
  void* context_;
};

// An RGBA8 framebuffer of width × height; bind() makes it the draw target with a matching viewport.
class OffscreenTarget {
 public:
  OffscreenTarget(int width, int height);
  ~OffscreenTarget();
  OffscreenTarget(const OffscreenTarget&) = delete;
  OffscreenTarget& operator=(const OffscreenTarget&) = delete;

  void bind() const;
  // Clears to the colour (0..1 channels).
  void clear(float r, float g, float b, float a) const;
  // RGBA8 pixels, top row first.
  std::vector<std::uint8_t> read() const;
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_, height_;
  unsigned framebuffer_ = 0, texture_ = 0;
};

// Column-major projection from pixel units (y down, origin top left) to clip space.
std::array<float, 16> pixel_projection(float width, float height);
// Blocks until the GL has finished (for timing).
void gl_finish();

}  // namespace planet
