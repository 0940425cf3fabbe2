// Whole runs played by the test bot from fixed clock seeds: every screen, card choice by key and
// by mouse, the bonus stage and both endings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/run.h"
#include "layout/frame_layout.h"
#include "tests/support/run_bot.h"
#include "view/screens.h"

namespace ventora {
namespace {

constexpr ClockReading kClock{1765000000, 500};

std::vector<std::string> overlay_texts(const GameState& state) {
  const FrameInput frame = bot::idle_input(state, 0);
  DrawList list;
  Canvas canvas(list, frame.screen_width, frame.screen_height);
  draw_overlay(state, canvas, frame_geometry(state.render_settings.mode, frame));
  std::vector<std::string> out;
  for (const DrawCommand& c : list.commands)
    if (c.op == DrawOp::Text) out.push_back(c.text);
  return out;
}

bool shows(const GameState& state, const std::string& text) {
  const auto texts = overlay_texts(state);
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The overlay's texts after `first`, joined by spaces: a message wrapped over several lines.
std::string joined_after(const GameState& state, const std::string& first) {
  const auto texts = overlay_texts(state);
  auto it = std::find(texts.begin(), texts.end(), first);
  std::string joined;
  if (it == texts.end()) return joined;
  for (++it; it != texts.end(); ++it) joined += (joined.empty() ? "" : " ") + *it;
  return joined;
}

TEST(WholeRun, VictoryThroughStagesOneToFive) {
  Pcg32 rng;
  GameState state = start_run(rng, kClock, OutputMode::Hd720);
  bot::RunPlan plan;
  plan.route = bot::Route::SkipBonus;
  bot::RunRecord run = bot::play_run(state, rng, plan);

  ASSERT_EQ(state.screen, Screen::Victory) << "stage " << state.stage << ", hp " << state.player_hp;
  EXPECT_EQ(run.stages, (std::vector<std::uint64_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(run.stage_clear_titles,
            (std::vector<std::string>{"Stage 1 Complete", "Stage 2 Complete", "Stage 3 Complete",
                                      "Stage 4 Complete"}));
  ASSERT_EQ(run.picked.size(), 4u);
  EXPECT_EQ(state.modifier_stack.picks.back(), run.picked.back());
  EXPECT_EQ(run.key_picks, 2);
  EXPECT_EQ(run.mouse_picks, 2);
  EXPECT_EQ(run.key_continues, 2);
  EXPECT_EQ(run.mouse_continues, 2);
  EXPECT_TRUE(state.rng_reseeded);
  EXPECT_FALSE(state.bonus_topping);

  bot::idle_frames(state, rng, plan.dt, 30, run.time);
  EXPECT_EQ(state.screen, Screen::Victory);
  EXPECT_FALSE(state.confetti.empty());
  EXPECT_TRUE(shows(state, "All toppings collected"));
  EXPECT_TRUE(shows(state, "Press R to play again"));

  // The same clock plays the same run.
  GameState again = start_run(rng, kClock, OutputMode::Hd720);
  const bot::RunRecord replay = bot::play_run(again, rng, plan);
  EXPECT_EQ(replay.picked, run.picked);
  EXPECT_EQ(replay.frames, run.frames);
  EXPECT_EQ(again.entropy_keys, state.entropy_keys);
}

TEST(WholeRun, BonusStageBetweenFourAndFive) {
  Pcg32 rng;
  GameState state = start_run(rng, kClock, OutputMode::Hd720);
  bot::RunPlan plan;
  plan.route = bot::Route::ThroughBonus;
  plan.pick_with = bot::PickWith::Mouse;
  const bot::RunRecord run = bot::play_run(state, rng, plan);

  ASSERT_EQ(state.screen, Screen::Victory) << "stage " << state.stage << ", hp " << state.player_hp;
  EXPECT_EQ(run.stages, (std::vector<std::uint64_t>{1, 2, 3, 4, 6, 5}));
  ASSERT_EQ(run.stage_clear_titles.size(), 5u);
  EXPECT_EQ(run.stage_clear_titles[4], "Cantaloupe Island Complete");
  EXPECT_EQ(run.mouse_picks, 5);
  EXPECT_EQ(run.mouse_continues, 5);
  EXPECT_TRUE(state.bonus_topping);
  EXPECT_EQ(joined_after(state, "All toppings collected"),
            "Thule cheese through Hyperboran Jalapenos \u2014 and Red Pepper from Cantaloupe "
            "Island. Press R to play again.");
}

// In the plain 960 × 720 output, where clicks land on unscaled boxes.
TEST(WholeRun, KnockedOutOnStageThree) {
  Pcg32 rng;
  GameState state = start_run(rng, ClockReading{1700000000, 0}, OutputMode::Og);
  bot::RunPlan plan;
  plan.give_up_at_stage = 3;
  const bot::RunRecord run = bot::play_run(state, rng, plan);

  ASSERT_EQ(state.screen, Screen::Defeat);
  EXPECT_EQ(bot::idle_input(state, 0).screen_width, 960);
  EXPECT_EQ(run.stages, (std::vector<std::uint64_t>{1, 2, 3}));
  EXPECT_EQ(run.key_picks, 1);
  EXPECT_EQ(run.mouse_picks, 1);
  EXPECT_LE(state.player_hp, 0);
  EXPECT_TRUE(shows(state, "Knocked loose"));
  EXPECT_TRUE(shows(state, "Press R to retry"));
}

}  // namespace
}  // namespace ventora
