// Font: the DejaVu Sans bytes embedded in the executable, laid out and rasterised with
// stb_truetype. Everything here runs on the CPU, so text widths are the same in tests and on
// screen; the renderer only uploads the glyph atlases built here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/result.h"

namespace ventora {

// The whole pixel size a font size is drawn at (truncated, 0 for sizes below 1).
int text_pixel_size(float font_size);

// Code points of UTF-8 text; a malformed sequence becomes U+FFFD and decoding goes on.
std::u32string decode_utf8(std::string_view text);

// One glyph of a laid-out text: `x` is its pen position from the start of the text.
struct PlacedGlyph {
  int glyph = 0;
  float x = 0;
};

class Font {
 public:
  // The embedded font, parsed once. Its bytes are built in, so one that cannot be read is a broken
  // build, which `embedded_status` tells and the app stops on before anything is drawn; such a
  // font has no glyphs and measures every text as empty.
  static const Font& embedded();
  // "ventora: the embedded font cannot be read" when that is so.
  static Status embedded_status();

  // Pen positions of `text`'s glyphs at a pixel size; returns the advance width of the whole text.
  float layout(std::string_view text, int pixel_size, std::vector<PlacedGlyph>* glyphs) const;
  float ascent(int pixel_size) const;
  float descent(int pixel_size) const;  // positive: distance below the baseline
  // False when the font has no glyph of its own for `code_point`.
  bool has_glyph(char32_t code_point) const;
  // Ink box of a glyph relative to its pen point on the baseline, y down (whole pixels).
  void glyph_box(int glyph, int pixel_size, int& x0, int& y0, int& x1, int& y1) const;
  // Coverage of a glyph into `out` (w × h bytes, `stride` bytes per row), as glyph_box places it.
  void rasterise(int glyph, int pixel_size, std::uint8_t* out, int w, int h, int stride) const;

  ~Font();

 private:
  Font();
  float scale(int pixel_size) const;
  struct Face;
  std::unique_ptr<Face> face_;
};

// The glyphs of one pixel size packed into one coverage bitmap, rasterised on first use.
class GlyphAtlas {
 public:
  struct Entry {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // ink box relative to the pen, as Font::glyph_box
    int u = 0, v = 0;                    // top-left texel of the ink in the atlas
  };
  static constexpr int kWidth = 1024;

  explicit GlyphAtlas(int pixel_size);
  int pixel_size() const { return pixel_size_; }
  // The glyph's place in the atlas, packing it first if needed (the bitmap may grow taller).
  const Entry& glyph(int glyph);
  int width() const { return kWidth; }
  int height() const { return height_; }
  const std::vector<std::uint8_t>& pixels() const { return pixels_; }
  // Bumped whenever the pixels change, so the GPU copy knows when to re-upload.
  std::uint32_t version() const { return version_; }

 private:
  void grow(int min_height);

  int pixel_size_;
  int height_ = 64;
  int shelf_x_ = 0, shelf_y_ = 0, shelf_h_ = 0;  // packing cursor
  std::vector<std::uint8_t> pixels_;
  std::unordered_map<int, Entry> entries_;
  std::uint32_t version_ = 1;
};

}  // namespace ventora
