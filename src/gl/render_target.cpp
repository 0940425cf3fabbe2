#include "gl/render_target.h"

#include <string>

namespace gl {

ventora::Status RenderTarget::resize(int width, int height) {
  if (exists() && width == width_ && height == height_) return ventora::Done{};
  const int most = max_texture_size();
  if (width <= 0 || height <= 0 || width > most || height > most) {
    return ventora::Error{"a " + std::to_string(width) + " x " + std::to_string(height) +
                 " picture is beyond what GL holds (" + std::to_string(most) + " a side)"};
  }
  if (!exists()) {
    framebuffer_ = Framebuffer::make();
    texture_ = Texture::make();
  }
  glBindTexture(GL_TEXTURE_2D, texture_.get());
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_.get());
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_.get(), 0);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    *this = RenderTarget();
    return ventora::Error{"the driver cannot draw into a " + std::to_string(width) + " x " +
                 std::to_string(height) + " picture"};
  }
  width_ = width;
  height_ = height;
  // New storage holds whatever the driver left in it.
  bind();
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  glDisable(GL_SCISSOR_TEST);
  clear(0, 0, 0, 0);
  if (scissor) glEnable(GL_SCISSOR_TEST);
  return ventora::Done{};
}

void RenderTarget::bind() const {
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_.get());
  glViewport(0, 0, width_, height_);
}

std::vector<std::uint8_t> RenderTarget::read_pixels() const {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width_) * height_ * 4);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_.get());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  return pixels;
}

int max_texture_size() {
  GLint most = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &most);
  return most;
}

void clear(float r, float g, float b, float a) {
  glClearColor(r, g, b, a);
  glClear(GL_COLOR_BUFFER_BIT);
}

}  // namespace gl
