#include "render/scaled_presenter.h"

#include <epoxy/gl.h>

#include <cmath>

#include "gl/render_target.h"

namespace ventora {

struct ScaledPresenter::Impl {
  gl::RenderTarget picture;
  gl::RenderTarget enlarged;  // the picture at its whole prescale, for a last smoothing step
};

ScaledPresenter::ScaledPresenter() : impl_(std::make_unique<Impl>()) {}

ScaledPresenter::~ScaledPresenter() = default;

Status ScaledPresenter::begin(int width, int height) {
  gl::RenderTarget& picture = impl_->picture;
  if (Status made = picture.resize(width, height); !made) return made;
  picture.bind();
  return Done{};
}

void ScaledPresenter::present(const Letterbox& box, int drawable_width, int drawable_height) {
  const gl::RenderTarget& picture = impl_->picture;
  if (!picture.exists()) return;
  // A scale between whole numbers: blow the picture up by the whole part with sharp edges first,
  // so the smoothing of the last step spreads over less than one art pixel. Without the room for
  // it, the picture is smoothed all the way.
  const gl::RenderTarget* source = &picture;
  const int prescale = nearest_prescale(box);
  if (!box.whole && prescale > 1 &&
      impl_->enlarged.resize(picture.width() * prescale, picture.height() * prescale)) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, picture.framebuffer());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, impl_->enlarged.framebuffer());
    glDisable(GL_SCISSOR_TEST);
    glBlitFramebuffer(0, 0, picture.width(), picture.height(), 0, 0, impl_->enlarged.width(),
                      impl_->enlarged.height(), GL_COLOR_BUFFER_BIT, GL_NEAREST);
    source = &impl_->enlarged;
  }
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glViewport(0, 0, drawable_width, drawable_height);
  glDisable(GL_SCISSOR_TEST);
  gl::clear(0, 0, 0, 1);
  // GL counts rows from the bottom: the picture's top edge lands `box.y` below the drawable's top.
  const int x0 = static_cast<int>(box.x);
  const int y1 = drawable_height - static_cast<int>(box.y);
  const int x1 = x0 + static_cast<int>(std::lround(box.scale * static_cast<float>(picture.width())));
  const int y0 = y1 - static_cast<int>(std::lround(box.scale * static_cast<float>(picture.height())));
  glBindFramebuffer(GL_READ_FRAMEBUFFER, source->framebuffer());
  glBlitFramebuffer(0, 0, source->width(), source->height(), x0, y0, x1, y1, GL_COLOR_BUFFER_BIT,
                    box.whole ? GL_NEAREST : GL_LINEAR);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

}  // namespace ventora
