// The last step of a frame whose window is not the game's size (fullscreen, maximised, shrunk to
// fit the screen): the game draws at its mode's size into an offscreen picture, which is then
// copied onto the window's drawable through a Letterbox, black around it. A whole scale copies
// with nearest filtering; any other is enlarged by its whole part that way first and smoothed
// only for the rest. Kept apart from the GlRenderer so the renderer's own passes do not change.
#pragma once

#include <memory>

#include "base/result.h"
#include "render/letterbox.h"

namespace ventora {

class ScaledPresenter {
 public:
  ScaledPresenter();
  ~ScaledPresenter();
  ScaledPresenter(const ScaledPresenter&) = delete;
  ScaledPresenter& operator=(const ScaledPresenter&) = delete;

  // Binds the offscreen picture of `width` × `height` pixels for drawing (re-made when the size
  // changes). The driver's refusal when it cannot; the caller then draws straight to the window.
  Status begin(int width, int height);
  // Clears the window's drawable to black and copies the picture into `box` on it.
  void present(const Letterbox& box, int drawable_width, int drawable_height);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace ventora
