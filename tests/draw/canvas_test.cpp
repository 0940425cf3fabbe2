// The recording canvas and the CPU side of text: what the game's tests rely on without a window.
#include <gtest/gtest.h>

#include <cmath>

#include "draw/canvas.h"
#include "draw/font.h"

namespace ventora {
namespace {

TEST(Canvas, RecordsEveryShapeWithItsGeometry) {
  DrawList list;
  Canvas canvas(list, 1280, 720);
  canvas.clear(Color::rgba8(8, 11, 24));
  canvas.circle({10, 20}, 5, kWhite);
  canvas.circle_lines({30, 40}, 50, 2, kBlack);
  canvas.triangle({1, 2}, {3, 4}, {5, 6}, kWhite);
  canvas.line({0, 0}, {100, 50}, 15, kWhite);
  canvas.rectangle({36, 24, 848, 124}, kWhite);
  canvas.rectangle_lines({1, 2, 3, 4}, 3, kWhite);
  canvas.rectangle_pro({100, 200, 40, 10}, {20, 5}, 90, kWhite);
  canvas.text("Boss HP 12", {50, 60}, 24, kWhite);
  canvas.begin_target(7, 640, 360);
  canvas.end_target();
  canvas.blit_target(7, {0, 0, 1280, 720}, kWhite);

  const auto& c = list.commands;
  ASSERT_EQ(c.size(), 12u);
  EXPECT_EQ(c[0].op, DrawOp::Clear);
  EXPECT_EQ(c[0].color, Color::rgba8(8, 11, 24));
  EXPECT_EQ(c[1].op, DrawOp::Circle);
  EXPECT_EQ(c[1].a, (Vec2{10, 20}));
  EXPECT_EQ(c[1].radius, 5);
  EXPECT_EQ(c[2].op, DrawOp::CircleLines);
  EXPECT_EQ(c[2].radius, 50);
  EXPECT_EQ(c[2].thickness, 2);
  EXPECT_EQ(c[3].c, (Vec2{5, 6}));
  EXPECT_EQ(c[4].b, (Vec2{100, 50}));
  EXPECT_EQ(c[4].thickness, 15);
  EXPECT_EQ(c[5].rect, (Rect{36, 24, 848, 124}));
  EXPECT_EQ(c[6].thickness, 3);
  EXPECT_EQ(c[7].b, (Vec2{20, 5}));
  EXPECT_EQ(c[7].rotation, 90);
  EXPECT_EQ(c[8].text, "Boss HP 12");
  EXPECT_EQ(c[8].a, (Vec2{50, 60}));
  EXPECT_EQ(c[8].font_size, 24);
  EXPECT_EQ(c[9].target, 7u);
  EXPECT_EQ(c[9].target_width, 640u);
  EXPECT_EQ(c[9].target_height, 360u);
  EXPECT_EQ(c[10].op, DrawOp::EndTarget);
  EXPECT_EQ(c[11].rect, (Rect{0, 0, 1280, 720}));
}

TEST(MeasureText, WidthsAreSaneAndAdditive) {
  const float a = measure_text("Choose", 30).width;
  const float b = measure_text(" a card", 30).width;
  const float ab = measure_text("Choose a card", 30).width;
  EXPECT_GT(a, 30 * 2);  // six letters of a 30 px font
  EXPECT_LT(a, 30 * 6);
  EXPECT_NEAR(ab, a + b, 1e-3);
  EXPECT_GT(measure_text("Boss HP 10", 20).width, measure_text("Boss HP 1", 20).width);
  // Twice the size, twice the width (to within the rounding of the font units).
  EXPECT_NEAR(measure_text("Victory", 40).width, 2 * measure_text("Victory", 20).width, 0.01);
  EXPECT_EQ(measure_text("", 20).width, 0);
}

TEST(MeasureText, SizesAreWholePixelsAsDrawn) {
  EXPECT_EQ(measure_text("Stage 3", 20.9f).width, measure_text("Stage 3", 20).width);
  EXPECT_EQ(measure_text("Stage 3", 0.5f).width, 0);
  const TextMetrics m = measure_text("Mg", 20);
  EXPECT_GT(m.offset_y, 14);  // the ascent of a 20 px em
  EXPECT_LT(m.offset_y, m.height);
  EXPECT_LT(m.height, 30);
}

TEST(MeasureText, TheGameSymbolsAreInTheFont) {
  const Font& font = Font::embedded();
  for (char32_t cp : {U'→', U'×', U'•', U'—', U'−', U'A', U'9'}) {
    EXPECT_TRUE(font.has_glyph(cp)) << "U+" << std::hex << static_cast<unsigned>(cp);
  }
  EXPECT_FALSE(font.has_glyph(U'\U0001F355'));  // the fallback box would be drawn for this one
  // Each symbol takes room of its own; none is the empty advance of a missing glyph.
  EXPECT_GT(measure_text("→", 20).width, 5);
  EXPECT_GT(measure_text("—", 20).width, measure_text("−", 20).width);
}

TEST(DecodeUtf8, DecodesAndReplacesMalformedSequences) {
  struct Case {
    std::string in;
    std::u32string out;
  };
  const Case cases[] = {
      {"A×2", U"A×2"},
      {"3 → 4 • x — y − z", U"3 → 4 • x — y − z"},
      {"\xF0\x9F\x8D\x95", U"\U0001F355"},
      {"a\xFFz", U"a\uFFFDz"},              // a byte that cannot start a sequence
      {"a\xE2\x86z", U"a\uFFFDz"},          // cut short, the next letter survives
      {"\xC0\xAF", U"\uFFFD"},              // overlong '/'
      {"\xED\xA0\x80", U"\uFFFD"},          // a surrogate
      {"end\xE2", U"end\uFFFD"},            // cut short at the end of the text
  };
  for (const Case& c : cases) EXPECT_EQ(decode_utf8(c.in), c.out) << c.in;
}

TEST(GlyphAtlas, PacksGlyphsOnceWithoutOverlap) {
  GlyphAtlas atlas(48);
  const Font& font = Font::embedded();
  std::vector<PlacedGlyph> glyphs;
  font.layout("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789→×•—−", 48, &glyphs);
  std::vector<GlyphAtlas::Entry> entries;
  for (const PlacedGlyph& g : glyphs) entries.push_back(atlas.glyph(g.glyph));
  const std::uint32_t version = atlas.version();
  EXPECT_EQ(atlas.glyph(glyphs[0].glyph).u, entries[0].u);
  EXPECT_EQ(atlas.version(), version);  // a second look rasterises nothing
  EXPECT_GT(atlas.height(), 64);        // 67 glyphs of 48 px do not fit the first strip

  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& e = entries[i];
    EXPECT_GE(e.u, 0);
    EXPECT_LE(e.u + (e.x1 - e.x0), atlas.width());
    EXPECT_LE(e.v + (e.y1 - e.y0), atlas.height());
    for (std::size_t j = i + 1; j < entries.size(); ++j) {
      const auto& f = entries[j];
      const bool apart = e.u + (e.x1 - e.x0) <= f.u || f.u + (f.x1 - f.x0) <= e.u ||
                         e.v + (e.y1 - e.y0) <= f.v || f.v + (f.y1 - f.y0) <= e.v;
      EXPECT_TRUE(apart || e.x1 == e.x0) << i << " overlaps " << j;
    }
  }
  // Some ink was drawn.
  int ink = 0;
  for (auto p : atlas.pixels()) ink += p > 128;
  EXPECT_GT(ink, 2000);
}

}  // namespace
}  // namespace ventora
