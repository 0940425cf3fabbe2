#include "headless_gl.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <cstdlib>

namespace planet {

std::unique_ptr<HeadlessGl> HeadlessGl::create(std::string& error) {
  if (std::getenv("SDL_VIDEODRIVER") == nullptr) SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = std::string("SDL video: ") + SDL_GetError();
    return nullptr;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_Window* window = SDL_CreateWindow("planet", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (window == nullptr) {
    error = std::string("window: ") + SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr) {
    error = std::string("GL context: ") + SDL_GetError();
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  return std::unique_ptr<HeadlessGl>(new HeadlessGl(window, context));
}

HeadlessGl::~HeadlessGl() {
  SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
  SDL_DestroyWindow(static_cast<SDL_Window*>(window_));
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

OffscreenTarget::OffscreenTarget(int width, int height) : width_(width), height_(height) {
  glGenTextures(1, &texture_);
  glBindTexture(GL_TEXTURE_2D, texture_);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glBindTexture(GL_TEXTURE_2D, 0);
  glGenFramebuffers(1, &framebuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_, 0);
}

OffscreenTarget::~OffscreenTarget() {
  glDeleteFramebuffers(1, &framebuffer_);
  glDeleteTextures(1, &texture_);
}

void OffscreenTarget::bind() const {
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glViewport(0, 0, width_, height_);
}

void OffscreenTarget::clear(float r, float g, float b, float a) const {
  bind();
  glClearColor(r, g, b, a);
  glClear(GL_COLOR_BUFFER_BIT);
}

std::vector<std::uint8_t> OffscreenTarget::read() const {
  bind();
  const auto row = static_cast<std::size_t>(width_) * 4;
  std::vector<std::uint8_t> bottom_up(row * static_cast<std::size_t>(height_));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottom_up.data());
  std::vector<std::uint8_t> top_down(bottom_up.size());
  for (int y = 0; y < height_; ++y) {
    std::copy_n(bottom_up.begin() + static_cast<std::ptrdiff_t>(row * (height_ - 1 - y)), row,
                top_down.begin() + static_cast<std::ptrdiff_t>(row * y));
  }
  return top_down;
}

std::array<float, 16> pixel_projection(float width, float height) {
  return {2.0f / width, 0, 0, 0, 0, -2.0f / height, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1};
}

void gl_finish() { glFinish(); }

}  // namespace planet
