#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

#include "snapshot.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "headless_gl.h"
#include "render/gl_renderer.h"
#include "platform/window.h"

namespace ventora {

Result<std::unique_ptr<Snapshots>> Snapshots::create() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  WindowConfig config;
  config.width = 64;
  config.height = 64;
  Result<std::unique_ptr<Window>> window = Window::open(config);
  if (!window) return window.error();
  return std::unique_ptr<Snapshots>(new Snapshots(std::move(window.value())));
}

Snapshots::Snapshots(std::unique_ptr<Window> window) : window_(std::move(window)) {}

Snapshots::~Snapshots() = default;

Result<Picture> Snapshots::draw(const DrawList& list, int width, int height) {
  gl::RenderTarget target;
  if (Status made = target.resize(width, height); !made) return made.error();
  target.bind();
  const Status drawn = window_->renderer().render(list, static_cast<float>(width),
                                                  static_cast<float>(height), width, height);
  if (!drawn) return drawn.error();
  return Picture{width, height, planet::read_top_down(target)};
}

Picture crop(const Picture& picture, int x, int y, int side) {
  Picture out{side, side, std::vector<std::uint8_t>(static_cast<std::size_t>(side) * side * 4)};
  for (int row = 0; row < side; ++row) {
    const int sy = std::clamp(y + row, 0, picture.height - 1);
    for (int col = 0; col < side; ++col) {
      const int sx = std::clamp(x + col, 0, picture.width - 1);
      std::copy_n(&picture.rgba[(static_cast<std::size_t>(sy) * picture.width + sx) * 4], 4,
                  &out.rgba[(static_cast<std::size_t>(row) * side + col) * 4]);
    }
  }
  return out;
}

Picture resized(const Picture& square, int side) {
  Picture out{side, side, std::vector<std::uint8_t>(static_cast<std::size_t>(side) * side * 4)};
  stbir_resize_uint8(square.rgba.data(), square.width, square.height, 0, out.rgba.data(), side,
                     side, 0, 4);
  return out;
}

bool write_png(const std::string& path, const Picture& picture) {
  if (stbi_write_png(path.c_str(), picture.width, picture.height, 4, picture.rgba.data(),
                     picture.width * 4)) {
    return true;
  }
  std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return false;
}

std::unique_ptr<Snapshots> start_picture_tool(int argc, char** argv, const char* name, std::string& out,
                                              int& exit_status) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--out") out = argv[i + 1];
  }
  if (out.empty()) {
    std::fprintf(stderr, "usage: %s --out DIR\n", name);
    exit_status = 2;
    return nullptr;
  }
  Result<std::unique_ptr<Snapshots>> snapshots = Snapshots::create();
  if (!snapshots) {
    std::fprintf(stderr, "%s\n", snapshots.error().message.c_str());
    exit_status = 1;
    return nullptr;
  }
  return std::move(snapshots.value());
}

}  // namespace ventora
