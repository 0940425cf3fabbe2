#include "view/screens.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "layout/overlay_geometry.h"
#include "tests/support/draw_queries.h"
#include "view/hud.h"

namespace ventora {
namespace {

using draw_queries::drawn_text;
using draw_queries::find_text;
using draw_queries::of_op;

// The plain output's geometry for the canvas's size.
FrameGeometry og_geometry(const Canvas& canvas) {
  return frame_geometry(OutputMode::Og, canvas.screen_width(), canvas.screen_height());
}

GameState card_choice_state() {
  GameState state;
  state.screen = Screen::CardChoice;
  state.offer = {OfferedCard{Rarity::Common, Card::LongLifeUnlikely},
                 OfferedCard{Rarity::Epic, Card::VampiresDen},
                 OfferedCard{Rarity::Rare, Card::Buff}};
  return state;
}

TEST(CardChoiceScreen, HidesTheSceneAndDrawsThreeBoxesAt1080p) {
  const GameState state = card_choice_state();
  DrawList list;
  Canvas canvas(list, 1920, 1080);
  const HudScale s = hud_scale(make_frame_layout(OutputMode::Hd1080, 1920, 1080), 1920, 1080);
  canvas.set_mouse({card_box(s, 1).x, card_box(s, 1).y + 10});  // on the left edge of box 2
  draw_overlay(state, canvas, frame_geometry(OutputMode::Hd1080, 1920, 1080));

  ASSERT_FALSE(list.commands.empty());
  EXPECT_EQ(list.commands[0].op, DrawOp::Clear);
  EXPECT_EQ(list.commands[0].color, Color::rgba8(8, 11, 24));
  const auto boxes = of_op(list, DrawOp::Rectangle);
  // Three boxes and one hover veil.
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].rect, (Rect{288, 346.5f, 408, 459}));
  EXPECT_EQ(boxes[1].rect, (Rect{756, 346.5f, 408, 459}));
  EXPECT_EQ(boxes[3].rect, (Rect{1224, 346.5f, 408, 459}));
  EXPECT_EQ(boxes[2].rect, (Rect{744, 334.5f, 432, 483}));  // 6 · 2 = 12 round the box
  EXPECT_EQ(boxes[2].color, Color::rgba8(245, 222, 128, 35));

  // The edge, then the hover frame 8 outside the box: 3, and 4 or 2 (hovered or not), all times
  // the width factor 2 and snapped to the art pixel 4 (6 snaps up to 8).
  const auto outlines = of_op(list, DrawOp::RectangleLines);
  ASSERT_EQ(outlines.size(), 6u);
  EXPECT_EQ(outlines[0].thickness, 8);
  EXPECT_EQ(outlines[0].color, rarity_color(Rarity::Common));
  EXPECT_EQ(outlines[1].thickness, 4);
  EXPECT_EQ(outlines[3].thickness, 8);
  EXPECT_EQ(outlines[3].rect, (Rect{748, 338.5f, 424, 475}));
  EXPECT_EQ(outlines[3].color, rarity_color(Rarity::Epic));

  // In-box offsets and the caption's under the box scale by the width factor, like the fonts.
  const DrawCommand* name = find_text(list, "Buff");
  ASSERT_NE(name, nullptr);
  EXPECT_FLOAT_EQ(name->a.y, 346.5f + 224);
  EXPECT_EQ(name->font_size, 40);
  const DrawCommand* caption = find_text(list, "3  [Rare]  Buff");
  ASSERT_NE(caption, nullptr);
  EXPECT_FLOAT_EQ(caption->a.y, 346.5f + 459 + 36);
  EXPECT_EQ(caption->color, rarity_color(Rarity::Rare));
  EXPECT_NE(find_text(list, "Choose a card"), nullptr);
  EXPECT_NE(find_text(list, "Press 1, 2, or 3  \u2022  Click to select"), nullptr);
  EXPECT_FLOAT_EQ(drawn_text(list, "Epic").a.y, 346.5f + 164);  // 82 · 2
}

TEST(CardChoiceScreen, NoHoverWithTheCursorInAGap) {
  const GameState state = card_choice_state();
  DrawList list;
  Canvas canvas(list, 960, 720);
  canvas.set_mouse({363, 300});
  draw_overlay(state, canvas, og_geometry(canvas));
  EXPECT_EQ(of_op(list, DrawOp::Rectangle).size(), 3u);
  for (const DrawCommand& c : of_op(list, DrawOp::RectangleLines)) EXPECT_LE(c.thickness, 3);
}

TEST(WrappedText, WrapsByMeasuredWidthAndStopsAtTheLineLimit) {
  const float width = measure_text("Long Life... Unlikely.", 20).width;
  DrawList list;
  Canvas canvas(list, 960, 720);
  // A box whose limit (width − 24) is just too narrow for the whole name.
  draw_wrapped(canvas, "  Long Life...   Unlikely. ", 100, width + 23, 50, 20, kWhite, 2);
  auto lines = of_op(list, DrawOp::Text);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text, "Long Life...");
  EXPECT_EQ(lines[1].text, "Unlikely.");
  EXPECT_EQ(lines[1].a.y, 75);
  const float centre = 100 + (width + 23) / 2;
  EXPECT_NEAR(lines[1].a.x + measure_text("Unlikely.", 20).width / 2, centre, 1e-3);

  list.clear();
  draw_wrapped(canvas, "Long Life... Unlikely.", 100, width + 24, 50, 20, kWhite, 2);
  EXPECT_EQ(of_op(list, DrawOp::Text).size(), 1u);

  // One word per line in a tiny box; only the first two are drawn, overflowing words stand alone.
  list.clear();
  draw_wrapped(canvas, "alpha beta gamma", 0, 30, 10, 13, kWhite, 2);
  lines = of_op(list, DrawOp::Text);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text, "alpha");
  EXPECT_EQ(lines[1].text, "beta");
}

TEST(CountdownScreen, TextsByTimeLeft) {
  const std::vector<std::pair<float, std::string>> table = {
      {3.55f, "3"}, {2.56f, "3"}, {2.55f, "2"}, {1.56f, "2"}, {1.55f, "1"},
      {0.56f, "1"}, {0.55f, "GO!"}, {0.0f, "GO!"}, {-0.01f, "GO!"}};
  for (const auto& [left, text] : table) EXPECT_EQ(countdown_text(left), text) << left;

  GameState state;
  state.screen = Screen::Countdown;
  state.countdown = 0.55f;
  DrawList list;
  Canvas canvas(list, 1920, 1080);
  draw_overlay(state, canvas, frame_geometry(OutputMode::Hd1080, 1920, 1080));
  EXPECT_EQ(list.commands[0].op, DrawOp::Clear);
  const DrawCommand* go = find_text(list, "GO!");
  ASSERT_NE(go, nullptr);
  EXPECT_EQ(go->font_size, 224);
  EXPECT_FLOAT_EQ(go->a.y, 540 + 45);
}

TEST(StageClearScreen, PanelToppingAndTheButtonTheClickTests) {
  struct Case {
    std::uint64_t stage;
    std::string title;
    std::string topping;
  };
  const Case cases[] = {
      {1, "Stage 1 Complete", "You have collected the Thule cheese."},
      {4, "Stage 4 Complete", "You have collected the Mu Pepperoni."},
      {6, "Cantaloupe Island Complete", "You have collected the Red Pepper."},
  };
  for (const Case& c : cases) {
    GameState state;
    state.screen = Screen::StageClear;
    state.stage = c.stage;
    DrawList list;
    Canvas canvas(list, 960, 720);
    draw_overlay(state, canvas, og_geometry(canvas));
    EXPECT_NE(list.commands[0].op, DrawOp::Clear);  // the scene stays visible behind the shade
    const auto rects = of_op(list, DrawOp::Rectangle);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0].rect, (Rect{0, 0, 960, 720}));
    EXPECT_EQ(rects[1].rect, (Rect{200, 210, 560, 300}));
    EXPECT_EQ(rects[2].rect, continue_button(hud_scale(std::nullopt, 960, 720)));
    EXPECT_EQ(rects[2].rect, (Rect{388, 428, 184, 54}));
    EXPECT_EQ(drawn_text(list, c.title).a.y, 280);
    EXPECT_NE(find_text(list, c.topping), nullptr) << c.topping;
    EXPECT_EQ(drawn_text(list, "Continue").a.y, 463);
    EXPECT_NE(find_text(list, "Press C to continue."), nullptr);
  }

  GameState hd;
  hd.screen = Screen::StageClear;
  DrawList list;
  Canvas canvas(list, 1920, 1080);
  draw_overlay(hd, canvas, frame_geometry(OutputMode::Hd1080, 1920, 1080));
  const auto outlines = of_op(list, DrawOp::RectangleLines);
  ASSERT_EQ(outlines.size(), 2u);
  EXPECT_EQ(outlines[0].rect, (Rect{400, 315, 1120, 450}));
  EXPECT_EQ(outlines[0].thickness, 8);
  EXPECT_EQ(outlines[1].rect, (Rect{776, 642, 368, 81}));
  EXPECT_EQ(outlines[1].thickness, 6);
  EXPECT_FLOAT_EQ(drawn_text(list, "Continue").a.y, 540 + 103 * 1.5f);
}

TEST(EndScreens, VictoryConfettiAndClosingLinesAndDefeat) {
  GameState state;
  state.screen = Screen::Victory;
  ConfettiPiece piece;
  piece.x = 100;
  piece.y = 50;
  piece.size = 10;
  piece.sway_rate = -2.0f;
  piece.colour = Color::rgba8(255, 82, 103);
  state.confetti = {piece};
  DrawList list;
  Canvas canvas(list, 960, 720);
  draw_overlay(state, canvas, og_geometry(canvas));
  const auto pieces = of_op(list, DrawOp::RectanglePro);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0].rect, (Rect{100, 50, 10, 5.5f}));
  EXPECT_EQ(pieces[0].b, (Vec2{0, 0}));
  EXPECT_NEAR(pieces[0].rotation, -2.0f * 180.0f / 3.14159265f, 1e-3);
  EXPECT_EQ(drawn_text(list, "All toppings collected").a.y, 342);
  EXPECT_EQ(drawn_text(list, "Press R to play again").a.y, 391);

  GameState defeat;
  defeat.screen = Screen::Defeat;
  list.clear();
  draw_overlay(defeat, canvas, og_geometry(canvas));
  EXPECT_EQ(of_op(list, DrawOp::Rectangle)[0].rect, (Rect{260, 274, 440, 150}));
  EXPECT_EQ(drawn_text(list, "Knocked loose").a.y, 342);
  EXPECT_EQ(drawn_text(list, "Press R to retry").a.y, 391);

  GameState fight;
  list.clear();
  draw_overlay(fight, canvas, og_geometry(canvas));
  EXPECT_TRUE(list.commands.empty());
}

}  // namespace
}  // namespace ventora

namespace ventora {
namespace {

// Horizontal extent of a recorded text, from the same measuring the screen uses.
std::pair<float, float> text_span(const DrawCommand& c) {
  return {c.a.x, c.a.x + measure_text(c.text, c.font_size).width};
}

// Under the boxes, texts that share a baseline belong to neighbouring cards: with the longest
// names and descriptions in every mode they must not run into each other.
TEST(CardChoiceScreen, TextsUnderNeighbouringBoxesNeverOverlap) {
  for (int first = 0; first < kCardCount; ++first) {
    GameState state;
    state.screen = Screen::CardChoice;
    for (int i = 0; i < 3; ++i) {
      state.offer[static_cast<size_t>(i)] = {Rarity::Uncommon,
                                             static_cast<Card>((first + i * 8) % kCardCount)};
    }
    for (const OutputModeInfo& mode : kOutputModes) {
      const float w = static_cast<float>(mode.window.width);
      const float h = static_cast<float>(mode.window.height);
      const FrameGeometry geometry = frame_geometry(mode.mode, w, h);
      DrawList list;
      Canvas canvas(list, w, h);
      draw_overlay(state, canvas, geometry);
      const float box_bottom = card_box(geometry.hud, 0).y + card_box(geometry.hud, 0).h;
      std::vector<DrawCommand> below;
      for (const DrawCommand& c : list.commands) {
        if (c.op == DrawOp::Text && c.a.y > box_bottom) below.push_back(c);
      }
      for (size_t i = 0; i < below.size(); ++i) {
        for (size_t j = i + 1; j < below.size(); ++j) {
          if (below[i].a.y != below[j].a.y) continue;
          const auto [a0, a1] = text_span(below[i]);
          const auto [b0, b1] = text_span(below[j]);
          EXPECT_TRUE(a1 <= b0 || b1 <= a0)
              << "\"" << below[i].text << "\" and \"" << below[j].text << "\" at " << w << "x" << h;
        }
      }
    }
  }
}

}  // namespace
}  // namespace ventora

namespace ventora {
namespace {

// Every text of an end panel lies inside the panel and on the screen; the long victory line
// wraps and, put back together, is the whole closing line.
TEST(EndScreens, PanelHoldsItsTextsInEveryMode) {
  const std::string long_line =
      "Thule cheese through Hyperboran Jalapenos \u2014 and Red Pepper from Cantaloupe Island. "
      "Press R to play again.";
  for (Screen screen : {Screen::Victory, Screen::Defeat}) {
    for (bool bonus : {false, true}) {
      for (const OutputModeInfo& mode : kOutputModes) {
        const float w = static_cast<float>(mode.window.width);
        const float h = static_cast<float>(mode.window.height);
        GameState state;
        state.screen = screen;
        state.bonus_topping = bonus;
        DrawList list;
        Canvas canvas(list, w, h);
        draw_overlay(state, canvas, frame_geometry(mode.mode, w, h));
        const Rect panel = of_op(list, DrawOp::Rectangle).at(0).rect;
        EXPECT_GE(panel.x, 0.0f);
        EXPECT_LE(panel.x + panel.w, w);
        std::string message;
        for (const DrawCommand& c : of_op(list, DrawOp::Text)) {
          const float width = measure_text(c.text, c.font_size).width;
          EXPECT_GE(c.a.x, panel.x) << c.text << " at " << w;
          EXPECT_LE(c.a.x + width, panel.x + panel.w) << c.text << " at " << w;
          EXPECT_GT(c.a.y, panel.y) << c.text << " at " << w;
          EXPECT_LT(c.a.y, panel.y + panel.h) << c.text << " at " << w;
          if (c.text != "All toppings collected" && c.text != "Knocked loose") {
            message += (message.empty() ? "" : " ") + c.text;
          }
        }
        if (screen == Screen::Victory && bonus) {
          EXPECT_EQ(message, long_line) << w;
        }
      }
    }
  }
}

}  // namespace
}  // namespace ventora
