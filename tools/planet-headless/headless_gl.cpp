#include "headless_gl.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <cstdlib>

namespace planet {

ventora::Result<std::unique_ptr<HeadlessGl>> HeadlessGl::create() {
  if (std::getenv("SDL_VIDEODRIVER") == nullptr) SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    return ventora::Error{std::string("SDL video: ") + SDL_GetError()};
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_Window* window = SDL_CreateWindow("planet", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (window == nullptr) {
    ventora::Error error{std::string("window: ") + SDL_GetError()};
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return error;
  }
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr) {
    ventora::Error error{std::string("GL context: ") + SDL_GetError()};
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return error;
  }
  return std::unique_ptr<HeadlessGl>(new HeadlessGl(window, context));
}

HeadlessGl::~HeadlessGl() {
  SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
  SDL_DestroyWindow(static_cast<SDL_Window*>(window_));
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void clear_target(const gl::RenderTarget& target, float r, float g, float b, float a) {
  target.bind();
  gl::clear(r, g, b, a);
}

std::vector<std::uint8_t> read_top_down(const gl::RenderTarget& target) {
  const std::vector<std::uint8_t> bottom_up = target.read_pixels();
  const auto row = static_cast<std::size_t>(target.width()) * 4;
  std::vector<std::uint8_t> top_down(bottom_up.size());
  for (std::size_t y = 0; y < static_cast<std::size_t>(target.height()); ++y) {
    const auto from = bottom_up.end() - static_cast<std::ptrdiff_t>(row * (y + 1));
    std::copy_n(from, row, top_down.begin() + static_cast<std::ptrdiff_t>(row * y));
  }
  return top_down;
}

std::array<float, 16> pixel_projection(float width, float height) {
  return {2.0f / width, 0, 0, 0, 0, -2.0f / height, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1};
}

void gl_finish() { glFinish(); }

}  // namespace planet
