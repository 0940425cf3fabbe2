#include "platform/window_icon.h"

#include <stb/stb_image.h>

#include <algorithm>

extern "C" const unsigned char ventora_window_icon_png[];
extern "C" const unsigned char ventora_window_icon_png_end[];

namespace ventora {

IconPixels window_icon_pixels() {
  IconPixels icon;
  int channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(
      ventora_window_icon_png,
      static_cast<int>(ventora_window_icon_png_end - ventora_window_icon_png), &icon.width,
      &icon.height, &channels, 4);
  if (!pixels) return {};
  icon.rgba.assign(pixels, pixels + static_cast<std::size_t>(icon.width) * icon.height * 4);
  stbi_image_free(pixels);
  return icon;
}

}  // namespace ventora
