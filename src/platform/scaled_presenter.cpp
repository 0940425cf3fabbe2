#include "platform/scaled_presenter.h"

#include <epoxy/gl.h>

#include <cmath>

#include "gl/render_target.h"

namespace ventora {

struct ScaledPresenter::Impl {
  gl::RenderTarget picture;
};

ScaledPresenter::ScaledPresenter() : impl_(std::make_unique<Impl>()) {}

ScaledPresenter::~ScaledPresenter() = default;

bool ScaledPresenter::begin(int width, int height) {
  gl::RenderTarget& picture = impl_->picture;
  if (!picture.resize(width, height)) return false;
  picture.bind();
  return true;
}

void ScaledPresenter::present(const Letterbox& box, int drawable_width, int drawable_height) {
  const gl::RenderTarget& picture = impl_->picture;
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glViewport(0, 0, drawable_width, drawable_height);
  glDisable(GL_SCISSOR_TEST);
  gl::clear(0, 0, 0, 1);
  if (!picture.exists()) return;
  // GL counts rows from the bottom: the picture's top edge lands `box.y` below the drawable's top.
  const int x0 = static_cast<int>(box.x);
  const int y1 = drawable_height - static_cast<int>(box.y);
  const int x1 = x0 + static_cast<int>(std::lround(box.scale * static_cast<float>(picture.width())));
  const int y0 = y1 - static_cast<int>(std::lround(box.scale * static_cast<float>(picture.height())));
  glBindFramebuffer(GL_READ_FRAMEBUFFER, picture.framebuffer());
  glBlitFramebuffer(0, 0, picture.width(), picture.height(), x0, y0, x1, y1, GL_COLOR_BUFFER_BIT,
                    box.whole ? GL_NEAREST : GL_LINEAR);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

}  // namespace ventora
