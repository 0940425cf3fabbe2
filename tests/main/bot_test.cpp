// The test bot wins a first fight with no cards at the frame rates the game sees.
#include <gtest/gtest.h>

#include "main/run.h"
#include "tests/support/bot.h"

namespace ventora {
namespace {

TEST(FightBot, WinsTheFirstFightWithNoCards) {
  for (float dt : {1.0f / 144, 1.0f / 60, 1.0f / 30, 0.05f}) {
    SCOPED_TRACE(dt);
    GameState state = start_run(ClockReading{1765000000, 0});
    const int frames = bot::play_fight(state, dt, static_cast<int>(120 / dt));
    EXPECT_EQ(state.screen, Screen::StageClear);
    EXPECT_LE(state.boss_hp, 0);
    EXPECT_EQ(state.player_hp, 3);  // it kept clear of the boss
    // Three hits, each needing the boss to walk half round to the next strike point.
    EXPECT_LT(static_cast<float>(frames) * dt, 30.0f);
  }
}

}  // namespace
}  // namespace ventora
