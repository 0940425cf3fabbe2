// The test bot wins a first fight with no cards at the frame rates the game sees.
#include <gtest/gtest.h>

#include "cards/modifier_stack.h"
#include "game/run.h"
#include "tests/support/bot.h"

namespace ventora {
namespace {

TEST(FightBot, WinsTheFirstFightWithNoCards) {
  for (float dt : {1.0f / 144, 1.0f / 60, 1.0f / 30, 0.05f}) {
    SCOPED_TRACE(dt);
    Pcg32 rng;
    GameState state = start_run(rng, ClockReading{1765000000, 0}, OutputMode::Hd720);
    const int frames = bot::play_fight(state, rng, dt, static_cast<int>(120 / dt));
    EXPECT_EQ(state.screen, Screen::StageClear);
    EXPECT_LE(state.boss_hp, 0);
    EXPECT_EQ(state.player_hp, 3);  // it kept clear of the boss
    // Three hits, each needing the boss to walk half round to the next strike point.
    EXPECT_LT(static_cast<float>(frames) * dt, 30.0f);
  }
}

TEST(FightBot, WinsCloneFightsAndFightsWithSlowRunning) {
  struct Case {
    Card card;
    int picks;
    size_t clones;
  };
  for (const Case& c : {Case{Card::Clone, 1, 1}, Case{Card::Clone, 3, 3},
                        Case{Card::CrushingWeight, 1, 0}}) {
    SCOPED_TRACE(static_cast<int>(c.card) * 10 + c.picks);
    Pcg32 rng;
    GameState state = start_run(rng, ClockReading{1765000000, 0}, OutputMode::Hd720);
    for (int i = 0; i < c.picks; ++i) {
      apply_pick(state.modifier_stack, c.card, state.player_hp);
      GameEvents events;
      begin_fight(state, events);  // each pick is followed by its own fight set-up
    }
    ASSERT_EQ(state.screen, Screen::Countdown);
    EXPECT_EQ(state.clones.size(), c.clones);
    bot::play_fight(state, rng, 1.0f / 60, 60 * 120);
    EXPECT_EQ(state.screen, Screen::StageClear);
    EXPECT_GE(state.player_hp, 1);
  }
}

}  // namespace
}  // namespace ventora
