// A GL context without a screen (SDL's offscreen driver unless SDL_VIDEODRIVER says otherwise),
// and what tools and tests need to draw planets into a render target and read it back.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/result.h"
#include "gl/render_target.h"

namespace planet {

class HeadlessGl {
 public:
  // A current OpenGL 3.3 core context, or the reason there is none.
  static ventora::Result<std::unique_ptr<HeadlessGl>> create();
  ~HeadlessGl();
  HeadlessGl(const HeadlessGl&) = delete;
  HeadlessGl& operator=(const HeadlessGl&) = delete;

 private:
  HeadlessGl(void* window, void* context) : window_(window), context_(context) {}
  void* window_;
  void* context_;
};

// Binds the target and clears it to the colour (0..1 channels).
void clear_target(const gl::RenderTarget& target, float r, float g, float b, float a);
// The target's RGBA8 pixels, top row first, when it was drawn through pixel_projection.
std::vector<std::uint8_t> read_top_down(const gl::RenderTarget& target);
// Column-major projection from pixel units (y down, origin top left) to clip space.
std::array<float, 16> pixel_projection(float width, float height);
// Blocks until the GL has finished (for timing).
void gl_finish();

}  // namespace planet
