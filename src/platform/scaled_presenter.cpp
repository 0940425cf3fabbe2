#include "platform/scaled_presenter.h"

#include <epoxy/gl.h>

#include <cmath>

namespace ventora {

struct ScaledPresenter::Impl {
  GLuint framebuffer = 0;
  GLuint texture = 0;
  int width = 0, height = 0;

  ~Impl() { release(); }
  void release() {
    if (framebuffer) glDeleteFramebuffers(1, &framebuffer);
    if (texture) glDeleteTextures(1, &texture);
    framebuffer = texture = 0;
    width = height = 0;
  }
  bool make(int w, int h) {
    glGenFramebuffers(1, &framebuffer);
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
      glBindFramebuffer(GL_FRAMEBUFFER, 0);
      release();
      return false;
    }
    width = w;
    height = h;
    return true;
  }
};

ScaledPresenter::ScaledPresenter() : impl_(std::make_unique<Impl>()) {}

ScaledPresenter::~ScaledPresenter() = default;

bool ScaledPresenter::begin(int width, int height) {
  Impl& p = *impl_;
  if (!p.framebuffer || p.width != width || p.height != height) {
    p.release();
    if (width <= 0 || height <= 0 || !p.make(width, height)) return false;
  }
  glBindFramebuffer(GL_FRAMEBUFFER, p.framebuffer);
  return true;
}

void ScaledPresenter::present(const Letterbox& box, int drawable_width, int drawable_height) {
  const Impl& p = *impl_;
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glViewport(0, 0, drawable_width, drawable_height);
  glDisable(GL_SCISSOR_TEST);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  if (!p.framebuffer) return;
  // GL counts rows from the bottom: the picture's top edge lands `box.y` below the drawable's top.
  const int x0 = static_cast<int>(box.x);
  const int y1 = drawable_height - static_cast<int>(box.y);
  const int x1 = x0 + static_cast<int>(std::lround(box.scale * static_cast<float>(p.width)));
  const int y0 = y1 - static_cast<int>(std::lround(box.scale * static_cast<float>(p.height)));
  glBindFramebuffer(GL_READ_FRAMEBUFFER, p.framebuffer);
  glBlitFramebuffer(0, 0, p.width, p.height, x0, y0, x1, y1, GL_COLOR_BUFFER_BIT,
                    box.whole ? GL_NEAREST : GL_LINEAR);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

}  // namespace ventora
