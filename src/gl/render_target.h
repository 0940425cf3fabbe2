// A colour picture to draw into and read or sample from: an RGBA8 texture with nearest filtering
// and clamped edges, and the framebuffer that draws into it.
#pragma once

#include <epoxy/gl.h>

#include <cstdint>
#include <vector>

#include "base/result.h"
#include "gl/handles.h"

namespace gl {

class RenderTarget {
 public:
  // Nothing yet: resize makes the GL objects.
  RenderTarget() = default;

  // Makes the picture width × height texels, all transparent black; keeps it as it is when it
  // already has that size. An error, leaving it as it was, when the size is beyond what GL holds;
  // an error, leaving nothing, when the driver cannot draw into it. Changes the framebuffer and
  // texture bindings, the viewport and the clear colour: bind what is drawn into next.
  ventora::Status resize(int width, int height);
  // Draws into it from now on, with the viewport over all of it.
  void bind() const;
  // Its texels as RGBA8, in GL's row order (row 0 first).
  std::vector<std::uint8_t> read_pixels() const;

  bool exists() const { return static_cast<bool>(framebuffer_); }
  GLuint framebuffer() const { return framebuffer_.get(); }
  GLuint texture() const { return texture_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  Framebuffer framebuffer_;
  Texture texture_;
  int width_ = 0, height_ = 0;
};

// The largest side of a texture the current context takes.
int max_texture_size();
// Clears what is bound for drawing to the colour (channels 0 to 1).
void clear(float r, float g, float b, float a);

}  // namespace gl
