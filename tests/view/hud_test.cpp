#include "view/hud.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/draw_queries.h"

namespace ventora {
namespace {

using draw_queries::drawn_text_starting;
using draw_queries::find_text_starting;
using draw_queries::of_op;
using draw_queries::texts;

DrawList draw_og(const GameState& state) {
  DrawList list;
  Canvas canvas(list, 960, 720);
  draw_hud(state, canvas, frame_geometry(OutputMode::Og, 960, 720));
  return list;
}

int full_markers(const DrawList& list) {
  int full = 0;
  for (const DrawCommand& c : of_op(list, DrawOp::Circle))
    if (c.color == Color::rgba8(122, 216, 135)) ++full;
  return full;
}

TEST(StatLine, MatchesTheGameTextToTheCharacter) {
  ModifierStack stack;
  EXPECT_EQ(stat_line(stack),
            "run run: 100% = 100% | jump jump: 100% = 100% | grav grav: 100% = 100% | launch 100% | "
            "dmg 1 vs 1");
  std::int32_t hp = 3;
  apply_pick(stack, Card::OverwhelmingOdds, hp);
  EXPECT_EQ(stat_line(stack),
            "run run: 100%\u00d7125% = 125% | jump jump: 100%\u00d7150% = 150% | grav grav: 100% = "
            "100% | launch 122% | dmg 2 vs 1");
  // The boosted value follows the arrow; gravity shows in the launch speed.
  ModifierStack boosted;
  apply_pick(boosted, Card::BounceHouse, hp);
  apply_pick(boosted, Card::SpeedAndHeight, hp);
  apply_pick(boosted, Card::CrushingWeight, hp);
  EXPECT_EQ(stat_line(boosted),
            "run run: 100%\u00d725%\u00d75% = 1% | jump jump: 100%\u00d7150%\u00d75% = 8% | grav grav: "
            "100%\u00d7600% = 600% | launch 67% | dmg 1 vs 1");
  EXPECT_EQ(stat_text(boosted, "jump", ModifierKind::JumpHeight, 2.5f),
            "jump: 100%\u00d7150%\u00d75% = 250%");
  ModifierStack arrow;
  apply_pick(arrow, Card::BounceHouse, hp);
  apply_pick(arrow, Card::SpeedAndHeight, hp);
  EXPECT_NE(stat_line(arrow).find("run run: 100%\u00d725% = 25% \u2192" "55% | "), std::string::npos);
}

TEST(WholeText, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(whole_text(4.45f), "4");
  EXPECT_EQ(whole_text(2.5f), "2");
  EXPECT_EQ(whole_text(3.5f), "4");
  EXPECT_EQ(whole_text(122.47f), "122");
}

TEST(Hud, RunStartShowsPanelHintMarkersCounterAndStage) {
  GameState state;
  const DrawList list = draw_og(state);
  const auto rects = of_op(list, DrawOp::Rectangle);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].rect, (Rect{18, 16, 424, 82}));
  EXPECT_EQ(texts(list), (std::vector<std::string>{"A/D run   Space jumps   J/Enter fires",
                                                   "Boss HP 3", "Stage 1"}));
  const auto circles = of_op(list, DrawOp::Circle);
  ASSERT_EQ(circles.size(), 3u);
  EXPECT_EQ(full_markers(list), 3);
  EXPECT_EQ(circles[2].a, (Vec2{94, 75}));
  EXPECT_EQ(circles[2].radius, 8);
  // Right-aligned texts end 28 from the right edge.
  const DrawCommand* counter = find_text_starting(list, "Boss HP");
  ASSERT_NE(counter, nullptr);
  EXPECT_NEAR(counter->a.x + measure_text(counter->text, 26).width, 960 - 28, 1e-3);
  EXPECT_EQ(counter->a.y, 43);
}

TEST(Hud, CardsStatsTimersAndCounters) {
  GameState state;
  ModifierStack& cards = state.modifier_stack;
  apply_pick(cards, Card::DoubleTrouble, state.player_hp);
  apply_pick(cards, Card::ShieldOfTrust, state.player_hp);
  apply_pick(cards, Card::Reverse, state.player_hp);
  cards.shield_time = 4.45f;
  cards.fight.weaken_time = 0.4f;
  DrawList list = draw_og(state);
  EXPECT_EQ(full_markers(list), 4);
  EXPECT_EQ(drawn_text_starting(list, "Cards: ").text, "Cards: Double Trouble, Reverse");
  EXPECT_EQ(drawn_text_starting(list, "Cards: ").font_size, 16);
  EXPECT_EQ(drawn_text_starting(list, "run run:").a, (Vec2{34, 128}));
  EXPECT_EQ(drawn_text_starting(list, "Shield ").text, "Shield 4s");
  EXPECT_EQ(find_text_starting(list, "Sacrifice "), nullptr);
  EXPECT_EQ(drawn_text_starting(list, "Weaken ").text, "Weaken 0s");

  // Brawn Over Brains shows one marker even after a card raises the maximum.
  GameState brawn;
  apply_pick(brawn.modifier_stack, Card::BrawnOverBrains, brawn.player_hp);
  apply_pick(brawn.modifier_stack, Card::LongLifeUnlikely, brawn.player_hp);
  list = draw_og(brawn);
  EXPECT_EQ(of_op(list, DrawOp::Circle).size(), 1u);
  EXPECT_EQ(full_markers(list), 1);

  GameState clones;
  clones.modifier_stack.fight.clone_active = true;
  clones.clones = {BossClone{1, 0, true}, BossClone{2, 0, true}};
  EXPECT_NE(find_text_starting(draw_og(clones), "Enemies 3"), nullptr);
  clones.boss_present = false;
  clones.clones[0].active = clones.clones[1].active = false;
  EXPECT_NE(find_text_starting(draw_og(clones), "Enemies 0"), nullptr);
  clones.modifier_stack.fight.clone_active = false;
  clones.boss_hp = -2;
  EXPECT_NE(find_text_starting(draw_og(clones), "Boss HP 0"), nullptr);

  GameState bonus;
  bonus.stage = 6;
  EXPECT_NE(find_text_starting(draw_og(bonus), "Cantaloupe Island"), nullptr);
}

TEST(Hud, HdLayoutScalesAndSnapsToThePixelGrid) {
  GameState state;
  apply_pick(state.modifier_stack, Card::Buff, state.player_hp);
  DrawList list;
  Canvas canvas(list, 1920, 1080);
  const FrameGeometry geometry = frame_geometry(OutputMode::Hd1080, 1920, 1080);
  ASSERT_EQ(geometry.hud.pixel_size, 4);
  draw_hud(state, canvas, geometry);
  EXPECT_EQ(of_op(list, DrawOp::Rectangle)[0].rect, (Rect{36, 24, 848, 124}));
  const DrawCommand* hint = find_text_starting(list, "A/D");
  EXPECT_EQ(hint->a, (Vec2{68, 72}));  // 47 · 1.5 = 70.5 snaps to 72
  EXPECT_EQ(hint->font_size, 48);
  const DrawCommand* stats = find_text_starting(list, "run run:");
  EXPECT_EQ(stats->font_size, 32);  // 15 · 2 = 30 snaps to 32
  // Below the cards line, which sits a quarter of its font (32) under the panel's edge (148):
  // 148 + 8 + ascent 25.5 → 184, its descent ends at 190.5, and 190.5 + 8 + 25.5 = 224.
  EXPECT_EQ(drawn_text_starting(list, "Cards: Buff").a.y, 184);
  EXPECT_EQ(stats->a.y, 224);
  const auto circles = of_op(list, DrawOp::Circle);
  EXPECT_EQ(circles[1].a, (Vec2{140, 112}));  // 70 · 2, 75 · 1.5 = 112.5 snaps to 112
  EXPECT_EQ(circles[1].radius, 16);
  const DrawCommand* stage = find_text_starting(list, "Stage 1");
  EXPECT_NEAR(stage->a.x + measure_text("Stage 1", stage->font_size).width, 1920 - 56, 1e-3);

  // Font sizes are whole numbers even when the scale is not.
  const HudScale odd = hud_scale(make_frame_layout(OutputMode::Hd720, 1280, 720), 1280, 720);
  for (float size : {13.0f, 15.0f, 16.0f, 26.0f, 56.0f}) {
    EXPECT_EQ(odd.font(size), std::trunc(odd.font(size)));
  }
}

}  // namespace
}  // namespace ventora
