#include "draw/font.h"

#include <stb/stb_truetype.h>

#include <algorithm>

#include "draw/canvas.h"

extern "C" const unsigned char ventora_font_dejavu_sans[];

namespace ventora {

int text_pixel_size(float font_size) {
  if (!(font_size >= 1)) return 0;
  return static_cast<int>(std::min(font_size, 65535.0f));
}

std::u32string decode_utf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      cp = lead & 0x07;
    } else {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    bool ok = true;
    std::size_t used = 1;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
      ++used;
    }
    // Overlong forms, surrogates and values past U+10FFFF are malformed too.
    static constexpr char32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (ok && (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
    out.push_back(ok ? cp : U'\uFFFD');
    i += used;  // a broken sequence resumes at the byte that broke it
  }
  return out;
}

struct Font::Face {
  stbtt_fontinfo info{};
  int ascent = 0, descent = 0;
};

Font::Font() {
  auto face = std::make_unique<Face>();
  const unsigned char* data = ventora_font_dejavu_sans;
  if (!stbtt_InitFont(&face->info, data, stbtt_GetFontOffsetForIndex(data, 0))) return;
  int gap = 0;
  stbtt_GetFontVMetrics(&face->info, &face->ascent, &face->descent, &gap);
  face_ = std::move(face);
}

Font::~Font() = default;

const Font& Font::embedded() {
  static const Font font;
  return font;
}

Status Font::embedded_status() {
  if (!embedded().face_) return Error{"ventora: the embedded font cannot be read"};
  return Done{};
}

// A font size is the height from the highest ascender to the lowest descender, so a line of
// text at size n spans n pixels (the usual meaning of a pixel size for text).
float Font::scale(int pixel_size) const {
  return stbtt_ScaleForPixelHeight(&face_->info, static_cast<float>(pixel_size));
}

float Font::layout(std::string_view text, int pixel_size, std::vector<PlacedGlyph>* glyphs) const {
  if (glyphs) glyphs->clear();
  if (pixel_size <= 0 || !face_) return 0;
  const float s = scale(pixel_size);
  float pen = 0;
  for (char32_t cp : decode_utf8(text)) {
    if (cp < 0x20 || cp == 0x7F) continue;  // control characters take no room
    const int glyph = stbtt_FindGlyphIndex(&face_->info, static_cast<int>(cp));
    int advance = 0, bearing = 0;
    stbtt_GetGlyphHMetrics(&face_->info, glyph, &advance, &bearing);
    if (glyphs) glyphs->push_back({glyph, pen});
    pen += advance * s;
  }
  return pen;
}

float Font::ascent(int pixel_size) const { return face_ ? face_->ascent * scale(pixel_size) : 0; }

float Font::descent(int pixel_size) const { return face_ ? -face_->descent * scale(pixel_size) : 0; }

bool Font::has_glyph(char32_t code_point) const {
  return face_ && stbtt_FindGlyphIndex(&face_->info, static_cast<int>(code_point)) != 0;
}

void Font::glyph_box(int glyph, int pixel_size, int& x0, int& y0, int& x1, int& y1) const {
  x0 = y0 = x1 = y1 = 0;
  if (!face_) return;
  const float s = scale(pixel_size);
  stbtt_GetGlyphBitmapBox(&face_->info, glyph, s, s, &x0, &y0, &x1, &y1);
}

void Font::rasterise(int glyph, int pixel_size, std::uint8_t* out, int w, int h, int stride) const {
  if (!face_) return;
  const float s = scale(pixel_size);
  stbtt_MakeGlyphBitmap(&face_->info, out, w, h, stride, s, s, glyph);
}

TextMetrics measure_text(std::string_view text, float font_size) {
  const Font& font = Font::embedded();
  const int px = text_pixel_size(font_size);
  if (px == 0) return {};
  const float ascent = font.ascent(px);
  return {font.layout(text, px, nullptr), ascent + font.descent(px), ascent};
}

GlyphAtlas::GlyphAtlas(int pixel_size)
    : pixel_size_(pixel_size), pixels_(static_cast<std::size_t>(kWidth) * height_, 0) {}

void GlyphAtlas::grow(int min_height) {
  int h = height_;
  while (h < min_height) h *= 2;
  if (h == height_) return;
  pixels_.resize(static_cast<std::size_t>(kWidth) * h, 0);
  height_ = h;
}

const GlyphAtlas::Entry& GlyphAtlas::glyph(int glyph) {
  if (auto it = entries_.find(glyph); it != entries_.end()) return it->second;
  const Font& font = Font::embedded();
  Entry e;
  font.glyph_box(glyph, pixel_size_, e.x0, e.y0, e.x1, e.y1);
  const int w = std::min(e.x1 - e.x0, kWidth - 2);
  const int h = e.y1 - e.y0;
  if (w > 0 && h > 0) {
    // One empty texel around every glyph keeps linear filtering from bleeding neighbours in.
    if (shelf_x_ + w + 1 > kWidth) {
      shelf_y_ += shelf_h_;
      shelf_x_ = 0;
      shelf_h_ = 0;
    }
    e.u = shelf_x_ + 1;
    e.v = shelf_y_ + 1;
    shelf_x_ += w + 1;
    shelf_h_ = std::max(shelf_h_, h + 1);
    grow(shelf_y_ + shelf_h_ + 1);
    font.rasterise(glyph, pixel_size_, &pixels_[static_cast<std::size_t>(e.v) * kWidth + e.u], w,
                   h, kWidth);
    e.x1 = e.x0 + w;
    ++version_;
  }
  return entries_.emplace(glyph, e).first->second;
}

}  // namespace ventora
